#pragma once
// A work as one JSON document and back. The document names its format and
// version; a reader refuses other formats and newer versions, and reads a
// document whole, checking every member, before it hands out a work.

#include <QByteArray>
#include <QString>
#include <variant>

#include "work/ui/work.h"

namespace aqualen::work::ui {

QByteArray WorkToJson(const Work& work);

// The work in `bytes`, or the message saying what is wrong with them;
// `fileName` names the file in the message.
std::variant<Work, QString> WorkFromJson(const QByteArray& bytes, const QString& fileName);

} // namespace aqualen::work::ui
