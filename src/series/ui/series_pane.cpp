#include "series/ui/series_pane.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "series/ui/input_dialogs.h"
#include "series/ui/pasted_series.h"
#include "series/ui/raw_pane_text.h"

namespace aqualen::ui {

class YearGutter final : public QWidget {
public:
    explicit YearGutter(SeriesPane& pane) : QWidget(&pane), pane_(pane) {}
    QSize sizeHint() const override { return {pane_.GutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { pane_.PaintGutter(event); }

private:
    SeriesPane& pane_;
};

namespace {

constexpr int kGutterPadding = 4;

QString NumberedYears(int first, int count)
{
    const int last = first + std::max(count, 1) - 1;
    return first == last ? QString::number(first) : QStringLiteral("%1–%2").arg(first).arg(last);
}

} // namespace

QString SeriesTitle(const PaneSeries& series, int count)
{
    if (!series.firstYear)
        return series.name;
    const QString years = NumberedYears(*series.firstYear, count);
    return series.name.isEmpty() ? years : QStringLiteral("%1, %2").arg(series.name, years);
}

SeriesPane::SeriesPane(QWidget* parent) : QPlainTextEdit(parent)
{
    gutter_ = new YearGutter(*this);
    gutter_->setObjectName(QStringLiteral("YearGutter"));
    firstYearAction_ = new QAction(QStringLiteral("Первый год ..."), this);
    clearYearsAction_ = new QAction(QStringLiteral("Убрать годы"), this);
    clearYearsAction_->setEnabled(false);
    connect(firstYearAction_, &QAction::triggered, this, &SeriesPane::mnFirstYearClick);
    connect(clearYearsAction_, &QAction::triggered, this, &SeriesPane::mnClearYearsClick);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &SeriesPane::UpdateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &SeriesPane::UpdateGutter);
    // The text read last is forgotten on either signal of a change, so that
    // it is gone before textChanged reaches anyone, whichever Qt sends first.
    QTextDocument* doc = QPlainTextEdit::document();
    connect(doc, &QTextDocument::contentsChange, this, [this] { textKnown_ = false; });
    connect(doc, &QTextDocument::contentsChanged, this, [this] { textKnown_ = false; });
    connect(this, &QPlainTextEdit::textChanged, this, &SeriesPane::SeriesChanged);
    // A last line emptied or filled changes whether it has a year.
    connect(this, &QPlainTextEdit::textChanged, gutter_, qOverload<>(&QWidget::update));
    UpdateGutterWidth();
}

SeriesPane* AsSeriesPane(QPlainTextEdit& pane)
{
    return qobject_cast<SeriesPane*>(&pane);
}

const SeriesPane* AsSeriesPane(const QPlainTextEdit& pane)
{
    return qobject_cast<const SeriesPane*>(&pane);
}

QPlainTextEdit& EditorOf(QPlainTextEdit& pane)
{
    SeriesPane* series = AsSeriesPane(pane);
    return series ? series->Editor() : pane;
}

void SeriesPane::SetFirstYear(std::optional<int> year)
{
    if (year == firstYear_)
        return;
    firstYear_ = year;
    clearYearsAction_->setEnabled(firstYear_.has_value());
    UpdateGutterWidth();
    gutter_->update();
    emit SeriesChanged();
}

void SeriesPane::SetName(const QString& name)
{
    if (name == name_)
        return;
    name_ = name;
    emit SeriesChanged();
}

QString SeriesPane::Text() const
{
    if (pending_.Pending())
        return pending_.Text();
    if (!textKnown_) {
        text_ = QPlainTextEdit::document()->toRawText();
        text_.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        textKnown_ = true;
    }
    return text_;
}

PaneSeries SeriesPane::Series() const
{
    return {Text(), firstYear_, name_};
}

SeriesLines SeriesPane::Lines() const
{
    // Text() keeps a no-break space, unlike toPlainText() (see
    // LinesOfRawText, which takes its line feeds as paragraph separators).
    return LinesOfRawText(Text());
}

void SeriesPane::SetSeries(const PaneSeries& series)
{
    FillEditor(); // Undo goes back to the text that waited
    const bool newText = series.text != Text();
    {
        const QSignalBlocker quiet(this); // one SeriesChanged for the whole change
        if (newText) {
            QTextCursor cursor(QPlainTextEdit::document());
            cursor.beginEditBlock();
            cursor.select(QTextCursor::Document);
            cursor.insertText(series.text);
            cursor.endEditBlock();
            cursor.movePosition(QTextCursor::Start);
            QPlainTextEdit::setTextCursor(cursor);
        }
        firstYear_ = series.firstYear;
        name_ = series.name;
    }
    Changed(newText);
}

void SeriesPane::RestoreSeries(const PaneSeries& series)
{
    const bool newText = series.text != Text();
    {
        const QSignalBlocker quiet(this);
        // A shown pane is filled at once, and fresh even with the same text.
        if (isVisible()) {
            pending_.Take();
            QPlainTextEdit::setPlainText(series.text);
        } else {
            pending_.Keep(series.text);
        }
        firstYear_ = series.firstYear;
        name_ = series.name;
    }
    Changed(newText);
}

void SeriesPane::Changed(bool newText)
{
    clearYearsAction_->setEnabled(firstYear_.has_value());
    UpdateGutterWidth();
    gutter_->update();
    viewport()->update();
    // Blocked above: listeners of the text (reports, line notes) hear it once.
    if (newText)
        emit textChanged();
    else
        emit SeriesChanged();
}

void SeriesPane::FillEditor()
{
    if (!pending_.Pending())
        return;
    const QString text = pending_.Take();
    {
        // As RestoreSeries fills a shown pane: nothing to undo, the cursor
        // at the start; no listener hears of it, since the series is the same.
        const QSignalBlocker quiet(this);
        QPlainTextEdit::setPlainText(text);
    }
    UpdateGutterWidth();
    gutter_->update();
}

QPlainTextEdit& SeriesPane::Editor()
{
    FillEditor();
    return *this;
}

// Filling the editor does not change what the pane holds, so the const
// members may fill it.
QTextDocument* SeriesPane::document() const
{
    return const_cast<SeriesPane*>(this)->Editor().document();
}

QString SeriesPane::toPlainText() const
{
    return const_cast<SeriesPane*>(this)->Editor().toPlainText();
}

QTextCursor SeriesPane::textCursor() const
{
    return const_cast<SeriesPane*>(this)->Editor().textCursor();
}

void SeriesPane::setTextCursor(const QTextCursor& cursor)
{
    Editor().setTextCursor(cursor);
}

void SeriesPane::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode)
{
    Editor().moveCursor(operation, mode);
}

void SeriesPane::setPlainText(const QString& text)
{
    Editor().setPlainText(text); // filled first, so that the change is heard
}

void SeriesPane::appendPlainText(const QString& text)
{
    Editor().appendPlainText(text);
}

void SeriesPane::insertPlainText(const QString& text)
{
    Editor().insertPlainText(text);
}

void SeriesPane::clear()
{
    Editor().clear();
}

void SeriesPane::undo()
{
    Editor().undo();
}

void SeriesPane::redo()
{
    Editor().redo();
}

int SeriesPane::LineCount() const
{
    if (pending_.Pending())
        return pending_.LineCount();
    const QTextDocument* text = QPlainTextEdit::document();
    const int blocks = text->blockCount();
    return text->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

std::optional<int> SeriesPane::YearOfLine(int line) const
{
    if (!firstYear_ || line < 0 || line >= LineCount())
        return std::nullopt;
    return *firstYear_ + line;
}

int SeriesPane::GutterWidth() const
{
    if (!firstYear_)
        return 0;
    const int last = *firstYear_ + std::max(LineCount(), 1) - 1;
    const int digits = static_cast<int>(QString::number(std::max(std::abs(last), std::abs(*firstYear_))).size());
    return 2 * kGutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 4);
}

void SeriesPane::UpdateGutterWidth()
{
    setViewportMargins(GutterWidth(), 0, 0, 0);
}

void SeriesPane::UpdateGutter(const QRect& rect, int dy)
{
    if (dy != 0)
        gutter_->scroll(0, dy);
    else
        gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        UpdateGutterWidth();
}

bool SeriesPane::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        FillEditor();
        break;
    default:
        break;
    }
    return QPlainTextEdit::event(event);
}

void SeriesPane::showEvent(QShowEvent* event)
{
    FillEditor();
    QPlainTextEdit::showEvent(event);
}

void SeriesPane::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect inside = contentsRect();
    gutter_->setGeometry(QRect(inside.left(), inside.top(), GutterWidth(), inside.height()));
}

void SeriesPane::PaintGutter(QPaintEvent* event)
{
    if (!firstYear_)
        return;
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(gutter_->width() - 1, event->rect().top(), gutter_->width() - 1, event->rect().bottom());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    const int lines = LineCount();
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    const int textWidth = gutter_->width() - 2 * kGutterPadding;
    while (block.isValid() && top <= event->rect().bottom() && number < lines) {
        if (block.isVisible() && bottom >= event->rect().top())
            painter.drawText(kGutterPadding, top, textWidth, fontMetrics().height(), Qt::AlignRight,
                             QString::number(*firstYear_ + number));
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
        ++number;
    }
}

void SeriesPane::contextMenuEvent(QContextMenuEvent* event)
{
    emit MenuAboutToShow();
    QMenu* menu = createStandardContextMenu(event->pos());
    const QList<QAction*> standard = menu->actions();
    QAction* first = standard.isEmpty() ? nullptr : standard.first();
    menu->insertActions(first, actions());
    if (!actions().isEmpty())
        menu->insertSeparator(first);
    menu->insertAction(first, firstYearAction_);
    menu->insertAction(first, clearYearsAction_);
    if (first)
        menu->insertSeparator(first);
    menu->exec(event->globalPos());
    delete menu;
}

void SeriesPane::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    PasteSeries(PastedText(*source));
}

void SeriesPane::dropEvent(QDropEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (!mime || mime->hasUrls() || !mime->hasText() || isReadOnly()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    // The column choice must not run inside the drag's own event: the text
    // goes in where it was dropped once the drag is over.
    const QString text = PastedText(*mime);
    const QTextCursor at = cursorForPosition(event->position().toPoint());
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, text, at] {
        setTextCursor(at);
        PasteSeries(text);
    });
}

void SeriesPane::PasteSeries(const QString& text)
{
    const QTextCursor cursor = textCursor();
    // The paste is the whole series when it replaces all there was.
    const bool whole = cursor.selectionStart() == 0 && cursor.selectionEnd() >= document()->characterCount() - 1;
    const PastedSeries pasted = TakePastedSeries(window(), text);
    switch (pasted.kind) {
    case PastedSeries::Kind::Cancelled:
        return;
    case PastedSeries::Kind::Text:
        insertPlainText(pasted.text);
        break;
    case PastedSeries::Kind::Column: {
        QString lines = TextOfLines(pasted.column.lines);
        if (pasted.endsWithBreak && !lines.endsWith(QLatin1Char('\n')))
            lines += QLatin1Char('\n');
        setTextCursor(cursor); // the choice may have moved the focus away and back
        insertPlainText(lines);
        // A whole series with its years and caption keeps them, as a file does.
        if (whole && pasted.column.firstYear)
            SetFirstYear(pasted.column.firstYear);
        if (whole && !pasted.column.name.isEmpty())
            SetName(pasted.column.name);
        break;
    }
    }
    ensureCursorVisible();
}

void SeriesPane::mnFirstYearClick()
{
    NumberQuestion question;
    question.title = QStringLiteral("Первый год");
    question.label = QStringLiteral("Год первой строки ряда:");
    question.proposed = firstYear_.value_or(2000);
    question.minimum = kMinFirstYear;
    question.maximum = kMaxFirstYear;
    if (const std::optional<int> year = Inputs().AskNumber(this, question))
        SetFirstYear(*year);
}

void SeriesPane::mnClearYearsClick()
{
    SetFirstYear(std::nullopt);
}

} // namespace aqualen::ui
