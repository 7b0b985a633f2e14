#pragma once

#include "IParameter.h"
#include "vela_elementui_export.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QThreadPool;

namespace vela {

class ModelViewport;
class ParametersPane;
class TriangleMesh;

// Shows a component file's solids in 3D beside a list of parameters. The file
// is read and cut into triangles off the user-interface thread, on a pool of its
// own so a large model never holds back the thumbnails; the last Load wins, and a
// file beyond TriangleMesh's limits is refused with a message instead of cut.
class VELA_ELEMENTUI_EXPORT Mox3DPreviewer : public QWidget
{
    Q_OBJECT

public:
    explicit Mox3DPreviewer(QWidget* parent);
    ~Mox3DPreviewer() override;

    // Shows `parameters` at once and the model of the file at `path` when it has been read.
    void Load(const std::wstring& path, const std::vector<std::shared_ptr<IParameter>>& parameters);

    QString FilePath() const { return m_path; }
    std::vector<std::shared_ptr<IParameter>> Parameters() const;
    // The family name of the file last read; empty while loading or after a failure.
    QString FamilyName() const { return m_familyName; }
    bool IsLoading() const { return m_loading; }
    ModelViewport* Viewport() const { return m_viewport; }

    // The threads every previewer reads and cuts its files on.
    static QThreadPool* ThreadPool();

signals:
    // After each Load that was not overtaken by a later one.
    void LoadFinished(bool success);

private:
    struct Outcome;
    struct LoadLink;

    void InitUI();
    static Outcome ReadModel(const QString& path);
    // Whether the load numbered `generation` is still the one to show.
    static bool IsCurrent(const std::shared_ptr<LoadLink>& link, quint64 generation);
    void Apply(quint64 generation, const Outcome& outcome);

    std::shared_ptr<LoadLink> m_link;
    quint64 m_generation = 0;
    QString m_path;
    QString m_familyName;
    bool m_loading = false;
    ModelViewport* m_viewport = nullptr;
    QLabel* m_familyLabel = nullptr;
    ParametersPane* m_parametersPane = nullptr;
};

} // namespace vela
