#pragma once
// Shared by the work tests: work file dialogs with answers set beforehand,
// a work as comparable text, and the sheet's drawing calls as text.

#include <QByteArray>
#include <QString>
#include <sstream>
#include <string>
#include <vector>

#include "app/ui/main_form.h"
#include "curve/curve_sheet.h"
#include "curve/recording_canvas.h"
#include "work/ui/work.h"
#include "work/ui/work_dialogs.h"
#include "work/ui/work_json.h"
#include "work/ui/work_windows.h"

namespace aqualen::test {

class RecordingWorkDialogs final : public work::ui::WorkDialogs {
public:
    RecordingWorkDialogs() { work::ui::SetWorkDialogs(this); }
    ~RecordingWorkDialogs() override { work::ui::SetWorkDialogs(nullptr); }
    RecordingWorkDialogs(const RecordingWorkDialogs&) = delete;
    RecordingWorkDialogs& operator=(const RecordingWorkDialogs&) = delete;

    QString OpenWorkName(QWidget*, const QString& folder) override
    {
        folders.push_back(folder);
        return openAnswer;
    }
    QString SaveWorkName(QWidget*, const QString& suggested) override
    {
        suggestedNames.push_back(suggested);
        return saveAnswer;
    }

    QString openAnswer;
    QString saveAnswer;
    std::vector<QString> folders;
    std::vector<QString> suggestedNames;
};

// What the windows hold, without where they stand on the screen (and
// without whether the main window shows: it shows itself).
inline QByteArray ContentOf(const work::ui::Work& captured)
{
    work::ui::Work work = captured;
    work.main.frame = {};
    for (work::ui::WindowFrame* frame :
         {&work.main.frame, work.correl ? &work.correl->frame : nullptr, work.odn ? &work.odn->frame : nullptr,
          work.curve ? &work.curve->frame : nullptr, work.curve ? &work.curve->quantilesFrame : nullptr,
          work.analysis ? &work.analysis->frame : nullptr, work.extension ? &work.extension->frame : nullptr})
        if (frame) {
            *frame = work::ui::WindowFrame{frame->open, {}, {}};
        }
    return work::ui::WorkToJson(work);
}

inline QByteArray ContentOf(ui::TMainForm& form)
{
    return ContentOf(work::ui::CaptureWork(form));
}

inline std::string ColorText(CanvasColor c)
{
    return std::to_string(c.red) + ',' + std::to_string(c.green) + ',' + std::to_string(c.blue);
}

// Every call the sheet makes on a recording canvas, one per line.
inline std::string DrawingCalls(const CurveSettings& settings)
{
    SheetTarget target;
    target.hUnit = 116;
    target.vUnit = 116;
    target.pageWidth = 345;
    target.pageHeight = 244;
    RecordingCanvas canvas;
    DrawCurveSheet(canvas, settings, target);
    std::ostringstream out;
    for (const RecordedLine& l : canvas.lines)
        out << "line " << l.x0 << ' ' << l.y0 << ' ' << l.x1 << ' ' << l.y1 << ' ' << static_cast<int>(l.style) << ' '
            << l.width << ' ' << ColorText(l.color) << '\n';
    for (const RecordedText& t : canvas.texts)
        out << "text " << t.x << ' ' << t.y << ' ' << t.text << ' ' << t.font << ' ' << t.size << '\n';
    for (const RecordedEllipse& e : canvas.ellipses)
        out << "ellipse " << e.left << ' ' << e.top << ' ' << e.right << ' ' << e.bottom << '\n';
    for (const RecordedPixel& p : canvas.pixels)
        out << "pixel " << p.x << ' ' << p.y << ' ' << ColorText(p.color) << '\n';
    out << "calls " << canvas.calls << '\n';
    return out.str();
}

} // namespace aqualen::test
