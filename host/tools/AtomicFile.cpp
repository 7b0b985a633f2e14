#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vela {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("AtomicFile", text);
}

// The outcome of one failed step: a sentence for the user and the short reason.
bool Fail(QString* error, QString* reason, const QString& text, const QString& kind)
{
    if (error) {
        *error = text;
    }
    if (reason) {
        *reason = kind;
    }
    return false;
}

bool SyncToDisk(QFile& file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Makes a finished rename survive a power cut; a failure here loses nothing already written.
void SyncFolder(const QString& folder)
{
#ifndef Q_OS_WIN
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
#else
    Q_UNUSED(folder)
#endif
}

bool ReplaceWith(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

QString AtomicFile::Reason(int error, const QString& fallback)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Tr(QT_TRANSLATE_NOOP("AtomicFile", "磁盘空间不足"));
    case EACCES:
    case EPERM:
    case EROFS:
        return Tr(QT_TRANSLATE_NOOP("AtomicFile", "没有写入权限"));
    default:
        return fallback;
    }
}

bool AtomicFile::Write(const QString& target, const QByteArray& data, const Check& check, QString* error,
                       QString* reason)
{
    const QString cannotSave = Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法保存"));
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const QString kind = Reason(errno, cannotSave);
        return Fail(error, reason, Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法创建文件夹 %1：%2")).arg(folder, kind), kind);
    }

    // Beside the target, so the final rename never crosses file systems.
    QTemporaryFile temporary(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX.part"));
    errno = 0;
    if (!temporary.open()) {
        const int why = errno;
        return Fail(error, reason, Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法写入 %1：%2")).arg(folder, Reason(why, temporary.errorString())),
                    Reason(why, cannotSave));
    }
    // errno is read right after each step: Qt's own clean-up may change it later.
    errno = 0;
    bool written = temporary.write(data) == data.size();
    int why = errno;
    if (written) {
        written = temporary.flush();
        why = errno;
    }
    if (written) {
        written = SyncToDisk(temporary);
        why = errno;
    }
    if (written) {
        temporary.close();
        written = temporary.error() == QFileDevice::NoError;
        why = errno;
    }
    if (!written) {
        // A full disk without a usable errno still says so through Qt's error kind.
        if (why == 0 && temporary.error() == QFileDevice::ResourceError) {
            why = ENOSPC;
        }
        return Fail(error, reason, Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法写入 %1：%2")).arg(folder, Reason(why, temporary.errorString())),
                    Reason(why, cannotSave));
    }

    // What the disk holds, not what the buffers accepted.
    const QString writtenPath = temporary.fileName();
    if (QFileInfo(writtenPath).size() != data.size()) {
        return Fail(error, reason, Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法写入 %1：%2")).arg(folder, Tr(QT_TRANSLATE_NOOP("AtomicFile", "写入的文件不完整"))), cannotSave);
    }
    QString refused;
    if (check && !check(writtenPath, &refused)) {
        return Fail(error, reason, refused.isEmpty() ? Tr(QT_TRANSLATE_NOOP("AtomicFile", "文件未通过检查")) : refused, Tr(QT_TRANSLATE_NOOP("AtomicFile", "文件已损坏")));
    }

    // The temporary file is private to its owner; the replacement keeps the old file's
    // permissions, or gets those of an ordinary new file.
    const QFileDevice::Permissions permissions = info.exists()
        ? QFile::permissions(target)
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
            | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    temporary.setPermissions(permissions);
    errno = 0;
    if (!ReplaceWith(writtenPath, target)) {
        const int renameError = errno;
        return Fail(error, reason, Tr(QT_TRANSLATE_NOOP("AtomicFile", "无法替换 %1：%2")).arg(target, Reason(renameError, Tr(QT_TRANSLATE_NOOP("AtomicFile", "重命名失败")))),
                    Reason(renameError, cannotSave));
    }
    temporary.setAutoRemove(false);
    SyncFolder(folder);
    return true;
}

} // namespace vela
