#include "series/ui/form_parts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>

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

} // namespace aqualen::ui
