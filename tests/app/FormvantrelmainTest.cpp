#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "Formvantrelmain.h"

class FormvantrelmainTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithItsCaption() {
        QTemporaryDir folder;
        TfrmVantrelMain window(folder.filePath(QStringLiteral("vantrel.ini")).toStdString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Orbek Vantrel"));
    }
};

QTEST_MAIN(FormvantrelmainTest)
#include "FormvantrelmainTest.moc"
