#pragma once
// Runs a handler's work so that no exception ever leaves a Qt slot: a fault
// ends the command and is shown in the generic error box, whatever the
// handler had already written stays where it is.

#include <QString>
#include <exception>
#include <new>
#include <utility>

#include "series/ui/message_service.h"

namespace aqualen::ui {

template <typename Work> void RunGuarded(QWidget* parent, Work&& work)
{
    try {
        std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        ShowFault(parent, QStringLiteral("Out of memory"));
    } catch (const std::exception& fault) {
        ShowFault(parent, QString::fromUtf8(fault.what()));
    }
}

} // namespace aqualen::ui
