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
#include <unistd.h>
#endif

namespace vela {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("AtomicFile", text);
}

bool Fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
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
        return Tr("磁盘空间不足");
    case EACCES:
    case EPERM:
    case EROFS:
        return Tr("没有写入权限");
    default:
        return fallback;
    }
}

bool AtomicFile::Write(const QString& target, const QByteArray& data, const Check& check, QString* error)
{
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder)) {
        return Fail(error, Tr("无法创建文件夹 %1：%2").arg(folder, Reason(errno, Tr("无法创建"))));
    }

    // Beside the target, so the final rename never crosses file systems.
    QTemporaryFile temporary(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX.part"));
    if (!temporary.open()) {
        return Fail(error, Tr("无法写入 %1：%2").arg(folder, Reason(errno, temporary.errorString())));
    }
    errno = 0;
    const bool written = temporary.write(data) == data.size() && temporary.flush();
    if (!written || !SyncToDisk(temporary)) {
        const int why = errno;
        return Fail(error, Tr("无法写入 %1：%2").arg(folder, Reason(why, temporary.errorString())));
    }
    temporary.close();
    if (temporary.error() != QFileDevice::NoError) {
        return Fail(error, Tr("无法写入 %1：%2").arg(folder, Reason(errno, temporary.errorString())));
    }

    // What the disk holds, not what the buffers accepted.
    const QString writtenPath = temporary.fileName();
    if (QFileInfo(writtenPath).size() != data.size()) {
        return Fail(error, Tr("无法写入 %1：%2").arg(folder, Tr("写入的文件不完整")));
    }
    QString why;
    if (check && !check(writtenPath, &why)) {
        return Fail(error, why.isEmpty() ? Tr("文件未通过检查") : why);
    }
    if (!ReplaceWith(writtenPath, target)) {
        return Fail(error, Tr("无法替换 %1：%2").arg(target, Reason(errno, Tr("重命名失败"))));
    }
    temporary.setAutoRemove(false);
    return true;
}

} // namespace vela
