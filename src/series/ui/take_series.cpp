#include "series/ui/take_series.h"

#include <QAction>
#include <QWidget>

#include "series/ui/message_service.h"
#include "series/ui/raw_pane_text.h"
#include "series/ui/series_pane.h"

namespace aqualen::ui {

namespace {

// The provider rides on its owner as a child object, found by its name.
class ProviderHolder final : public QObject {
public:
    ProviderHolder(QWidget& owner, SeriesProvider provider, SeriesReceiver receiver)
        : QObject(&owner), provider_(std::move(provider)), receiver_(std::move(receiver))
    {
        setObjectName(QStringLiteral("SeriesProvider"));
    }
    PaneSeries Series() const { return provider_(); }
    bool Receives() const { return static_cast<bool>(receiver_); }
    void Receive(const PaneSeries& series) const { receiver_(series); }

private:
    SeriesProvider provider_;
    SeriesReceiver receiver_;
};

const ProviderHolder* HolderOf(const QWidget& widget)
{
    for (const QWidget* w = &widget; w; w = w->parentWidget())
        if (auto* holder = w->findChild<ProviderHolder*>(QStringLiteral("SeriesProvider"), Qt::FindDirectChildrenOnly))
            return holder;
    return nullptr;
}

} // namespace

void ProvideSeries(QWidget& owner, SeriesProvider provider, SeriesReceiver receiver)
{
    delete owner.findChild<ProviderHolder*>(QStringLiteral("SeriesProvider"), Qt::FindDirectChildrenOnly);
    new ProviderHolder(owner, std::move(provider), std::move(receiver));
}

std::optional<PaneSeries> ProvidedSeries(const QWidget& widget)
{
    const ProviderHolder* holder = HolderOf(widget);
    if (!holder)
        return std::nullopt;
    return holder->Series();
}

bool TakeProvidedSeries(SeriesPane& pane)
{
    const std::optional<PaneSeries> series = ProvidedSeries(pane);
    if (!series || series->text.isEmpty()) {
        ShowPlain(pane.window(), QString::fromUtf8(kNoMainSeriesText));
        return false;
    }
    if (LinesOfRawText(series->text).size() > static_cast<size_t>(kMaxPaneLines)) {
        ShowError(pane.window(), QStringLiteral("В ряду больше %1 строк!").arg(kMaxPaneLines));
        return false;
    }
    pane.SetSeries(*series);
    return true;
}

bool PutSeriesInMain(QWidget& widget, const PaneSeries& series)
{
    const ProviderHolder* holder = HolderOf(widget);
    if (!holder || !holder->Receives())
        return false;
    if (!holder->Series().text.trimmed().isEmpty() &&
        AskYesCancel(widget.window(), QString::fromUtf8(kReplaceMainSeriesText)) != Answer::Yes)
        return false;
    holder->Receive(series);
    return true;
}

QAction* AddTakeSeriesAction(SeriesPane& pane)
{
    auto* take = new QAction(QString::fromUtf8(kTakeSeriesText), &pane);
    take->setObjectName(QStringLiteral("TakeSeries"));
    pane.addAction(take);
    QObject::connect(take, &QAction::triggered, &pane, [&pane] { TakeProvidedSeries(pane); });
    QObject::connect(&pane, &SeriesPane::MenuAboutToShow, take,
                     [take, &pane] { take->setEnabled(HolderOf(pane) != nullptr); });
    return take;
}

} // namespace aqualen::ui
