#include "FullFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace vela::test {

namespace {

constexpr const char* FillerName = "zz-filler.bin";

// Writes until the file system refuses another byte.
bool Fill(const QString& folder)
{
    QFile filler(folder + QLatin1Char('/') + QLatin1String(FillerName));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return filler.error() == QFileDevice::ResourceError;
}

} // namespace

FullFolder::FullFolder(const QString& folder)
    : m_folder(folder)
{
    QDir().mkpath(folder);
#ifdef Q_OS_LINUX
    if (::geteuid() == 0) {
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0) {
            m_problem = QStringLiteral("cannot mount a tmpfs on %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
        return;
    }
#endif
}

FullFolder::~FullFolder()
{
#ifdef Q_OS_LINUX
    if (m_mounted) {
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
#endif
    if (m_chmodded) {
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    }
}

bool FullFolder::Seal(Mode mode)
{
    m_mode = mode;
    if (!IsReady()) {
        return false;
    }
#ifdef Q_OS_LINUX
    if (m_mounted) {
        if (mode == Mode::NoSpace) {
            if (!Fill(m_folder)) {
                m_problem = QStringLiteral("cannot fill %1").arg(m_folder);
            }
        } else if (::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                           "size=64k")
                   != 0) {
            m_problem = QStringLiteral("cannot make %1 read-only: %2").arg(m_folder, QString::fromLocal8Bit(std::strerror(errno)));
        }
        return IsReady();
    }
#endif
    // Without the right to mount, a folder without write permission refuses both ways.
    m_chmodded = QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                                     | QFile::ReadOther | QFile::ExeOther);
    if (!m_chmodded) {
        m_problem = QStringLiteral("cannot take write permission from %1").arg(m_folder);
    }
    return IsReady();
}

QString FullFolder::ExpectedReason() const
{
    return m_mounted && m_mode == Mode::NoSpace ? QStringLiteral("磁盘空间不足") : QStringLiteral("没有写入权限");
}

} // namespace vela::test
