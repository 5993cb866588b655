#include "Formvantrelmain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Tdatamanager.h"

namespace {

const char* const WorkGroupCaption = "Работа ";
const char* const DivideCaption = "&Разделить";
const char* const MediumCaption = "Носитель:";
const char* const ElementsCaption = "Элементов:";
const char* const CombinationCaption = "Вариант:";

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

QWidget* TfrmVantrelMain::createDivisionPage() {
    auto* page = new QWidget(this);
    auto* work = new QGroupBox(Text(WorkGroupCaption), page);
    btnDivide = new QPushButton(Text(DivideCaption), work);
    btnDivide->setEnabled(false);
    progressBar = new QProgressBar(work);
    progressBar->setRange(0, 100);
    progressBar->setTextVisible(false);
    lblCurMedium = new QLabel(QStringLiteral("0/0"), work);
    lblCurMediumElements = new QLabel(QStringLiteral("0/0"), work);
    lblCurCombination = new QLabel(QStringLiteral("0"), work);

    auto* grid = new QGridLayout(work);
    grid->addWidget(btnDivide, 0, 0, 1, 2);
    grid->addWidget(progressBar, 1, 0, 1, 2);
    const char* const captions[] = {MediumCaption, ElementsCaption, CombinationCaption};
    QLabel* const values[] = {lblCurMedium, lblCurMediumElements, lblCurCombination};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(Text(captions[i]), work);
        values[i]->setAccessibleName(Text(captions[i]));
        grid->addWidget(caption, 2 + i, 0);
        grid->addWidget(values[i], 2 + i, 1);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(work);
    layout->addStretch();
    return page;
}

void TfrmVantrelMain::DivisionEnded() {
    DataManager->DivisionFinished();
    statusProgressBar->hide();
    collectionChanged();
}
