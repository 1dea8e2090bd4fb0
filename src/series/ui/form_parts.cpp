#include "series/ui/form_parts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include "series/ui/application_setup.h"
#include "series/ui/series_pane.h"

namespace aqualen::ui {

QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    return panel;
}

namespace {

template <typename Pane> Pane* SetUpPane(Pane* pane, const char* name)
{
    pane->setObjectName(QString::fromLatin1(name));
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return pane;
}

} // namespace

QPlainTextEdit* MakePane(QWidget* parent, const char* name)
{
    return SetUpPane(new QPlainTextEdit(parent), name);
}

SeriesPane* MakeSeriesPane(QWidget* parent, const char* name)
{
    return SetUpPane(new SeriesPane(parent), name);
}

QPlainTextEdit* MakeReportPane(QWidget* parent, const char* name)
{
    QPlainTextEdit* pane = MakePane(parent, name);
    QFont bold = pane->font();
    bold.setBold(true);
    pane->setFont(bold);
    return pane;
}

void UseDialogFace(QWidget& window)
{
    QFont face(WindowFamily());
    face.setPixelSize(11);
    window.setFont(face);
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

QSplitter* MakeSplitter(Qt::Orientation orientation, const char* name, int handleWidth)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setHandleWidth(handleWidth);
    splitter->setChildrenCollapsible(false);
    return splitter;
}

void SetTabStops(QPlainTextEdit& pane, std::initializer_list<int> digitWidths)
{
    const qreal digit = pane.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QTextOption option = pane.document()->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (const int width : digitWidths)
        tabs.append(QTextOption::Tab(width * digit, QTextOption::LeftTab));
    option.setTabs(tabs);
    pane.document()->setDefaultTextOption(option);
}

void LayOutPaneWindow(QWidget& window, QWidget* seriesPanel, QWidget* right, QWidget* buttons, QWidget* report,
                      QWidget* chart, const PaneLayoutWidths& widths)
{
    QSplitter* output = MakeSplitter(Qt::Horizontal, "Splitter3", 4);
    output->addWidget(report);
    output->addWidget(chart);
    output->setStretchFactor(0, 0);
    output->setStretchFactor(1, 1);
    output->setSizes({widths.report, widths.window - widths.seriesPanel - widths.report});

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(1, 1, 1, 1);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(buttons);
    rightLayout->addWidget(output, 1);

    QSplitter* split = MakeSplitter(Qt::Horizontal, "Splitter1", 3);
    split->addWidget(seriesPanel);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({widths.seriesPanel, widths.window - widths.seriesPanel});
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
}

} // namespace aqualen::ui
