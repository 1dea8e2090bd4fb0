#include "work/ui/work_windows.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "analysis/ui/analysis_form.h"
#include "app/ui/about_form.h"
#include "app/ui/main_form.h"
#include "correl/ui/correl_form.h"
#include "curve/ui/obesp_form.h"
#include "extension/ui/extension_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/message_service.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_pane.h"
#include "work/ui/curve_work.h"
#include "work/ui/window_frame.h"

namespace aqualen::work::ui {

using aqualen::ui::TMainForm;

namespace {

// A report pane's exact text (a no-break space stays one).
QString ReportText(const QPlainTextEdit& pane)
{
    QString text = pane.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void SetReportText(QPlainTextEdit& pane, const QString& text)
{
    if (ReportText(pane) != text)
        pane.setPlainText(text);
}

aqualen::ui::ReportFreshness* FreshnessOf(const QPlainTextEdit& report)
{
    return report.findChild<aqualen::ui::ReportFreshness*>(QString(), Qt::FindDirectChildrenOnly);
}

bool Stale(const QPlainTextEdit& report)
{
    const aqualen::ui::ReportFreshness* freshness = FreshnessOf(report);
    return freshness && freshness->Stale();
}

// A report that belonged to its series belongs to them again once both are
// back. (What an out-of-date one was computed from is not kept.)
void RestoreFreshness(QPlainTextEdit& report, bool stale)
{
    if (aqualen::ui::ReportFreshness* freshness = FreshnessOf(report); freshness && !stale)
        freshness->Computed();
}

// Boxes are not shown while a window is put back.
class QuietMessages final : public aqualen::ui::MessageService {
public:
    QuietMessages() : previous_(&aqualen::ui::Messages()) { aqualen::ui::SetMessageService(this); }
    ~QuietMessages() override { aqualen::ui::SetMessageService(previous_); }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
    void Show(aqualen::ui::MessageKind, const QString&, const QString&, QWidget*) override {}

private:
    aqualen::ui::MessageService* previous_;
};

void SetIndex(aqualen::ui::RadioGroup& group, int index)
{
    if (index >= 0 && index < group.ItemCount())
        group.SetItemIndex(index);
}

} // namespace

Work CaptureWork(TMainForm& form)
{
    Work work;
    work.main.frame = CaptureFrame(form);
    work.main.series = form.Ser1Memo->Series();
    work.main.r1 = form.RadioGroup1->ItemIndex();
    work.main.report = ReportText(*form.OutPutMemo);
    work.main.reportStale = Stale(*form.OutPutMemo);
    if (aqualen::ui::TCorrelForm* correl = form.CorrelForm()) {
        CorrelWork c;
        c.frame = CaptureFrame(*correl);
        c.series1 = correl->MemoSer1->Series();
        c.series2 = correl->MemoSer2->Series();
        c.report = ReportText(*correl->OutPutMemo);
        c.reportStale = Stale(*correl->OutPutMemo);
        c.points = correl->ShownPoints();
        work.correl = std::move(c);
    }
    if (aqualen::ui::TOdnForm* odn = form.OdnForm()) {
        OdnWork o;
        o.frame = CaptureFrame(*odn);
        o.series1 = odn->MemoSer1->Series();
        o.series2 = odn->MemoSer2->Series();
        o.row = odn->RowIndex();
        o.level = odn->LevelIndex();
        o.report = ReportText(*odn->OutPutMemo);
        o.reportStale = Stale(*odn->OutPutMemo);
        o.points1 = odn->ShownPoints1();
        o.points2 = odn->ShownPoints2();
        work.odn = std::move(o);
    }
    if (aqualen::ui::TObespForm* curve = form.ObespForm())
        work.curve = CaptureCurve(*curve);
    if (auto* analysis = form.findChild<analysis::ui::TAnalysisForm*>(QString(), Qt::FindDirectChildrenOnly)) {
        AnalysisWork a;
        a.frame = CaptureFrame(*analysis);
        a.series = analysis->SeriesMemo->Series();
        a.level = analysis->LevelPercent();
        a.curve = analysis->CurveGroup->ItemIndex();
        a.r1 = analysis->R1Group->ItemIndex();
        a.report = ReportText(*analysis->OutPutMemo);
        a.reportStale = Stale(*analysis->OutPutMemo);
        a.values = analysis->ShownValues();
        a.trend = analysis->ShownTrend();
        a.integral = analysis->ShownIntegral();
        work.analysis = std::move(a);
    }
    if (auto* extension = form.findChild<extension::ui::TExtensionForm*>(QString(), Qt::FindDirectChildrenOnly)) {
        ExtensionWork e;
        e.frame = CaptureFrame(*extension);
        e.studied = extension->MemoSer1->Series();
        e.analogue = extension->MemoSer2->Series();
        e.report = ReportText(*extension->OutPutMemo);
        e.reportStale = Stale(*extension->OutPutMemo);
        const extension::ui::TExtensionForm::ChartPoints& shown = extension->ShownPoints();
        e.common = shown.common;
        e.line = shown.line;
        e.restored = shown.restored;
        work.extension = std::move(e);
    }
    return work;
}

namespace {

// The windows of the menu as a fresh program shows them (the main window
// holding `series`): gone, made again on demand. The series goes in at once,
// not after an empty one: a long pane takes as long to empty as to fill.
void ResetWindowsTo(TMainForm& form, const aqualen::ui::PaneSeries& series)
{
    for (QWidget* window : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (window->isWindow() && window != form.AboutForm())
            delete window;
    form.Ser1Memo->RestoreSeries(series);
    form.RadioGroup1->SetItemIndex(0);
    form.OutPutMemo->clear();
}

} // namespace

void ResetWindows(TMainForm& form)
{
    ResetWindowsTo(form, {});
}

void ApplyWork(TMainForm& form, const Work& work)
{
    ResetWindowsTo(form, work.main.series);
    SetIndex(*form.RadioGroup1, work.main.r1);
    SetReportText(*form.OutPutMemo, work.main.report);
    RestoreFreshness(*form.OutPutMemo, work.main.reportStale);
    ApplyFrame(form, work.main.frame, false);

    if (work.correl) {
        aqualen::ui::TCorrelForm& correl = form.MakeCorrelForm();
        correl.MemoSer1->RestoreSeries(work.correl->series1);
        correl.MemoSer2->RestoreSeries(work.correl->series2);
        SetReportText(*correl.OutPutMemo, work.correl->report);
        correl.ShowPoints(work.correl->points);
        RestoreFreshness(*correl.OutPutMemo, work.correl->reportStale);
        ApplyFrame(correl, work.correl->frame);
    }
    if (work.odn) {
        aqualen::ui::TOdnForm& odn = form.MakeOdnForm();
        odn.MemoSer1->RestoreSeries(work.odn->series1);
        odn.MemoSer2->RestoreSeries(work.odn->series2);
        SetIndex(*odn.RadioGroup1, work.odn->row);
        SetIndex(*odn.RadioGroup2, work.odn->level);
        SetReportText(*odn.OutPutMemo, work.odn->report);
        odn.ShowPoints(work.odn->points1, work.odn->points2);
        RestoreFreshness(*odn.OutPutMemo, work.odn->reportStale);
        ApplyFrame(odn, work.odn->frame);
    }
    if (work.curve)
        ApplyCurve(form.MakeObespForm(), *work.curve);
    if (work.analysis) {
        analysis::ui::TAnalysisForm& analysis = form.MakeAnalysisForm();
        analysis.SeriesMemo->RestoreSeries(work.analysis->series);
        if (work.analysis->level > 0)
            analysis.SetLevelPercent(work.analysis->level);
        SetIndex(*analysis.CurveGroup, work.analysis->curve);
        SetIndex(*analysis.R1Group, work.analysis->r1);
        SetReportText(*analysis.OutPutMemo, work.analysis->report);
        analysis.ShowPoints(work.analysis->values, work.analysis->trend, work.analysis->integral);
        RestoreFreshness(*analysis.OutPutMemo, work.analysis->reportStale);
        ApplyFrame(analysis, work.analysis->frame);
    }
    if (work.extension) {
        const ExtensionWork& kept = *work.extension;
        extension::ui::TExtensionForm& extension = form.MakeExtensionForm();
        extension.MemoSer1->RestoreSeries(kept.studied);
        extension.MemoSer2->RestoreSeries(kept.analogue);
        if (!kept.report.isEmpty() && !kept.reportStale) {
            // Run again on the same series: the same chart, and the extended
            // series ready to be handed to the main window.
            const QuietMessages quiet;
            extension.btnRunClick();
        } else {
            extension.ShowPoints({kept.common, kept.line, kept.restored});
        }
        SetReportText(*extension.OutPutMemo, kept.report);
        RestoreFreshness(*extension.OutPutMemo, kept.reportStale);
        ApplyFrame(extension, kept.frame);
    }
}

} // namespace aqualen::work::ui
