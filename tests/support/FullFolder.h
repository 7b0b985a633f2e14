#pragma once

#include <QString>

namespace vela::test {

// Turns a folder into one that refuses new data, for tests of writes that must
// fail safely. As root (where permissions do not stop writes) a small tmpfs is
// mounted over the folder; otherwise the folder's permissions are taken away.
// Everything is undone when the object goes.
class FullFolder
{
public:
    enum class Mode {
        // Files can still be created, but the disk has no room for their content.
        NoSpace,
        // Nothing can be created or changed.
        ReadOnly,
    };

    explicit FullFolder(const QString& folder);
    ~FullFolder();
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    // True when the folder is ready for Seal(); otherwise Problem() says why.
    bool IsReady() const { return m_problem.isEmpty(); }
    QString Problem() const { return m_problem; }

    // Stops the folder from taking more data. Files written before stay readable.
    bool Seal(Mode mode);

    // The text a write into the sealed folder must give: no space or no permission.
    QString ExpectedReason() const;

private:
    QString m_folder;
    QString m_problem;
    bool m_mounted = false;
    bool m_chmodded = false;
    Mode m_mode = Mode::NoSpace;
};

} // namespace vela::test
