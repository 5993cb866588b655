#include <QApplication>
#include <QtTest>

#include "Formvantrelmain.h"

class FormvantrelmainTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithItsCaption() {
        TfrmVantrelMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Orbek Vantrel"));
    }
};

QTEST_MAIN(FormvantrelmainTest)
#include "FormvantrelmainTest.moc"
