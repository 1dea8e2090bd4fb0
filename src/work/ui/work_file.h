#pragma once
// A work file on disk: read whole (never more than kMaxWorkFileBytes) and
// written through a temporary file that replaces the old one only once it is
// complete, so that a failed write leaves the old file as it was.

#include <QByteArray>
#include <QString>
#include <variant>

#include "work/ui/work.h"

namespace aqualen::work::ui {

// The work in the file, or the message saying why there is none.
std::variant<Work, QString> ReadWorkFile(const QString& path);

// An empty string when the bytes are in the file, else why they are not.
QString WriteWorkFile(const QString& path, const QByteArray& bytes);

// The work's name as the title and the questions show it: the file's name
// without its folder and suffix.
QString WorkName(const QString& path);

} // namespace aqualen::work::ui
