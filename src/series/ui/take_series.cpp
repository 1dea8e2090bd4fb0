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
    ProviderHolder(QWidget& owner, SeriesProvider provider) : QObject(&owner), provider_(std::move(provider))
    {
        setObjectName(QStringLiteral("SeriesProvider"));
    }
    PaneSeries Series() const { return provider_(); }

private:
    SeriesProvider provider_;
};

const ProviderHolder* HolderOf(const QWidget& widget)
{
    for (const QWidget* w = &widget; w; w = w->parentWidget())
        if (auto* holder = w->findChild<ProviderHolder*>(QStringLiteral("SeriesProvider"), Qt::FindDirectChildrenOnly))
            return holder;
    return nullptr;
}

} // namespace

void ProvideSeries(QWidget& owner, SeriesProvider provider)
{
    delete owner.findChild<ProviderHolder*>(QStringLiteral("SeriesProvider"), Qt::FindDirectChildrenOnly);
    new ProviderHolder(owner, std::move(provider));
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
