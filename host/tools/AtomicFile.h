#pragma once

#include "vela_tools_export.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vela {

// Replaces a file only with a complete, checked copy of the new content, so
// a full disk, a denied folder or a killed process never leaves a cached file
// empty or half written. (QSaveFile::commit() in Qt 5.15 reports success
// after its final flush failed with "No space left on device".)
class VELA_TOOLS_EXPORT AtomicFile
{
public:
    // Looks at the written temporary file before it replaces the target;
    // returns false and says why in `why` to refuse it.
    using Check = std::function<bool(const QString& writtenPath, QString* why)>;

    // Writes `data` to a temporary file beside `target`, flushes it to the
    // disk, checks that the disk holds all of it and that `check` (when
    // given) accepts it, then renames it over `target` in one step. On any
    // failure the target keeps its old content, the temporary file is
    // removed, `error` gets a text for the user and `reason` a few words
    // naming the kind of failure ("磁盘空间不足", "没有写入权限", "文件已损坏"
    // when `check` refused, "无法保存" otherwise).
    static bool Write(const QString& target, const QByteArray& data, const Check& check = {},
                      QString* error = nullptr, QString* reason = nullptr);

    // A user-facing reason for an errno value, such as "磁盘空间不足" for ENOSPC;
    // `fallback` for any other value.
    static QString Reason(int error, const QString& fallback);
};

} // namespace vela
