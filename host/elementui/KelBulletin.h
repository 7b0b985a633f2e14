#pragma once

#include "vela_elementui_export.h"

#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

namespace vela {

// A small notice docked at the top centre of the dock window: an icon, a
// message and, for icon 0, a progress bar. Icon values: 0 progress, 1 notice,
// 2 warning, 3 failure, 4 working, 5 success.
class VELA_ELEMENTUI_EXPORT KelBulletin : public QWidget
{
    Q_OBJECT

public:
    // One thing a bulletin showed, for the host and tests.
    struct Record
    {
        QString Message;
        int Icon = 0;
        int Duration = 0; // milliseconds; 0 for a kept bulletin
        bool SingleShot = false;
    };

    // The window bulletins dock to (null: bulletins float at the screen centre).
    static void SetDock(QWidget* dock);
    static QWidget* Dock();

    // A bulletin that closes itself after `duration` milliseconds.
    static void SingleShot(const QString& message, int icon, int duration, QWidget* parent);
    // A kept bulletin, closed by its owner with close() or CloseLater().
    static KelBulletin* Create(QWidget* parent);

    KelBulletin* ConfigIcon(int icon);
    KelBulletin* ConfigMessage(const QString& message);
    KelBulletin* ConfigProgress(int done, int total);
    void CloseLater(int milliseconds);

    int Icon() const;
    QString Message() const;
    // The progress bar's state (a maximum of 0 is a busy bar).
    int ProgressValue() const;
    int ProgressMaximum() const;

    // The most recent things bulletins showed, oldest first (at most 100).
    static QVector<Record> History();
    static void ClearHistory();
    // Bulletins currently open.
    static QVector<KelBulletin*> OpenBulletins();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    explicit KelBulletin(QWidget* parent);
    void Init();
    void Reposition();
    void Remember(bool singleShot, int duration);
    // The transparent band kept around the card for its shadow (none when opaque).
    int ShadowSpace() const;

    bool m_translucent = true;
    int m_icon = 4;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_spinTimer = nullptr;
    int m_spinAngle = 0;
    bool m_singleShot = false;
    Record m_lastRecord;
    bool m_hasRecord = false;
};

} // namespace vela
