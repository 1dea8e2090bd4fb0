#include "curve/ui/analytic_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "curve/analytic_fit.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"

namespace aqualen::ui {

namespace {

// The confidence levels of the band group, item by item; 0 is off.
constexpr std::array<int, 4> kBandLevels{0, 80, 90, 95};
constexpr int kIndent = 20; // sub-choices sit under their method

class CompactTabStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? base / 2 : base;
    }
};

QLineEdit* NumberBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setFixedWidth(90);
    return box;
}

} // namespace

void FitTabsToWidth(QTabWidget& tabs)
{
    // Owned by the tab widget, whose tab bar (an older child) goes first.
    auto* style = new CompactTabStyle;
    style->setParent(&tabs);
    tabs.tabBar()->setStyle(style);
}

AnalyticPage::AnalyticPage(QWidget* parent) : QWidget(parent)
{
    rgDistribution = new RadioGroup(
        QStringLiteral("Распределение"),
        {QStringLiteral("Нет"), QStringLiteral("Пирсон III"), QStringLiteral("Крицкий–Менкель")}, this, 3);
    rgDistribution->SetItemIndex(0);

    gbMethod = new QGroupBox(QStringLiteral("Параметры кривой"), this);
    rbMoments = new QRadioButton(QStringLiteral("Метод моментов"), gbMethod);
    rbCorrected = new QRadioButton(QStringLiteral("Cv и Cs с поправкой, r(1) главного окна"), gbMethod);
    rbSample = new QRadioButton(QStringLiteral("Выборочные Cv и Cs"), gbMethod);
    rbGraphic = new QRadioButton(QStringLiteral("Графоаналитический метод"), gbMethod);
    rbLikelihood = new QRadioButton(QStringLiteral("Метод наибольшего правдоподобия"), gbMethod);
    rbGiven = new QRadioButton(QStringLiteral("Ввести вручную"), gbMethod);
    edMean = NumberBox(gbMethod);
    edCv = NumberBox(gbMethod);
    edCs = NumberBox(gbMethod);

    methods_ = new QButtonGroup(this);
    methods_->addButton(rbMoments);
    methods_->addButton(rbGraphic);
    methods_->addButton(rbLikelihood);
    methods_->addButton(rbGiven);
    rbMoments->setChecked(true);
    momentKinds_ = new QButtonGroup(this);
    momentKinds_->addButton(rbCorrected);
    momentKinds_->addButton(rbSample);
    rbCorrected->setChecked(true);

    auto* momentKinds = new QVBoxLayout;
    momentKinds->setContentsMargins(kIndent, 0, 0, 0);
    momentKinds->addWidget(rbCorrected);
    momentKinds->addWidget(rbSample);
    auto* given = new QFormLayout;
    given->setContentsMargins(kIndent, 0, 0, 0);
    given->addRow(QStringLiteral("Среднее Q̄"), edMean);
    given->addRow(QStringLiteral("Cv"), edCv);
    given->addRow(QStringLiteral("Cs"), edCs);
    auto* method = new QVBoxLayout(gbMethod);
    method->addWidget(rbMoments);
    method->addLayout(momentKinds);
    method->addWidget(rbGraphic);
    method->addWidget(rbLikelihood);
    method->addWidget(rbGiven);
    method->addLayout(given);

    cbFixRatio = new QCheckBox(QStringLiteral("Cs = m · Cv, m ="), this);
    edRatio = NumberBox(this);
    edRatio->setText(QString::fromStdString(FormatGeneral(2, SystemDecimalSeparator())));
    auto* ratio = new QHBoxLayout;
    ratio->addWidget(cbFixRatio);
    ratio->addWidget(edRatio);
    ratio->addStretch(1);

    rgBand = new RadioGroup(
        QStringLiteral("Доверительные границы"),
        {QStringLiteral("Нет"), QStringLiteral("80 %"), QStringLiteral("90 %"), QStringLiteral("95 %")}, this, 4);
    rgBand->SetItemIndex(0);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(16, 12, 16, 12);
    page->setSpacing(10);
    page->addWidget(rgDistribution);
    page->addWidget(gbMethod);
    page->addLayout(ratio);
    page->addWidget(rgBand);
    page->addStretch(1);

    connect(rgDistribution, &RadioGroup::Clicked, this, &AnalyticPage::UpdateControls);
    connect(methods_, &QButtonGroup::idToggled, this, &AnalyticPage::UpdateControls);
    connect(cbFixRatio, &QCheckBox::toggled, this, &AnalyticPage::UpdateControls);
    UpdateControls();
}

void AnalyticPage::UpdateControls()
{
    const bool curve = rgDistribution->ItemIndex() != static_cast<int>(dist::Distribution::None);
    const bool kritskyMenkel = rgDistribution->ItemIndex() == static_cast<int>(dist::Distribution::KritskyMenkel);
    // The likelihood method is Kritsky–Menkel's: leaving that distribution
    // falls back on the moments.
    if (!kritskyMenkel && rbLikelihood->isChecked())
        rbMoments->setChecked(true);
    gbMethod->setEnabled(curve);
    rbLikelihood->setEnabled(kritskyMenkel);
    rbCorrected->setEnabled(rbMoments->isChecked());
    rbSample->setEnabled(rbMoments->isChecked());
    edMean->setEnabled(rbGiven->isChecked());
    edCv->setEnabled(rbGiven->isChecked());
    edCs->setEnabled(rbGiven->isChecked() && !cbFixRatio->isChecked());
    cbFixRatio->setEnabled(curve);
    edRatio->setEnabled(curve && cbFixRatio->isChecked());
    // Typed parameters were not estimated from anything: there is no band.
    rgBand->setEnabled(curve && !rbGiven->isChecked());
}

dist::Method AnalyticPage::ChosenMethod() const
{
    if (rbGraphic->isChecked())
        return dist::Method::GraphicAnalytic;
    if (rbLikelihood->isChecked())
        return dist::Method::MaxLikelihood;
    if (rbGiven->isChecked())
        return dist::Method::Given;
    return rbSample->isChecked() ? dist::Method::SampleMoments : dist::Method::Moments;
}

bool AnalyticPage::ReadBox(QLineEdit* box, char separator, double& value)
{
    if (const auto number = ParseNumber(box->text().toStdString(), separator)) {
        value = *number;
        return true;
    }
    ShowError(this, QString::fromUtf8(kAnalyticInputError));
    box->setFocus();
    box->selectAll();
    return false;
}

bool AnalyticPage::ReadOptions(char separator, dist::FitOptions& options)
{
    options = {};
    options.distribution = static_cast<dist::Distribution>(rgDistribution->ItemIndex());
    options.method = ChosenMethod();
    options.fixRatio = cbFixRatio->isChecked();
    options.r1Choice = r1Source_ ? r1Source_() : 0;
    if (options.method != dist::Method::Given)
        options.bandLevel = kBandLevels.at(static_cast<size_t>(std::max(0, rgBand->ItemIndex())));
    if (options.distribution != dist::Distribution::None) {
        if (options.fixRatio && !ReadBox(edRatio, separator, options.ratio))
            return false;
        if (options.method == dist::Method::Given) {
            if (!ReadBox(edMean, separator, options.givenMean) || !ReadBox(edCv, separator, options.givenCv))
                return false;
            if (!options.fixRatio && !ReadBox(edCs, separator, options.givenCs))
                return false;
        }
    }
    return true;
}

} // namespace aqualen::ui
