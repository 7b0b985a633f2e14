#include "LoadFromPublicIntoDocumentWorkflow4Lumen.h"

#include "ComponentDownloadHub.h"
#include "ComponentFileLoader.h"
#include "Document.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStandardPaths>

#include <memory>

namespace vela {

namespace {

// A plain component id names its file; anything else is hashed so it cannot leave the folder.
QString LibraryFilePath(const std::wstring& componentId)
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/library");
    QString name = QString::fromStdWString(componentId);
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    if (!plain.match(name).hasMatch()) {
        name = QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex());
    }
    return folder + QLatin1Char('/') + name + QStringLiteral(".json");
}

} // namespace

LoadFromPublicIntoDocumentWorkflow4Lumen* LoadFromPublicIntoDocumentWorkflow4Lumen::Create(const PublicComponentWorkflowArgument& argument, QObject* parent)
{
    return new LoadFromPublicIntoDocumentWorkflow4Lumen(argument, parent);
}

LoadFromPublicIntoDocumentWorkflow4Lumen::LoadFromPublicIntoDocumentWorkflow4Lumen(const PublicComponentWorkflowArgument& argument, QObject* parent)
    : PublicComponentWorkflowBase(argument, parent)
{
}

// Lumen loads into the document it is given, else into the open one; with no
// document at all the component is kept in the local library folder, from
// where the product's own library offers it later.
void LoadFromPublicIntoDocumentWorkflow4Lumen::InternalProceed()
{
    std::wstring error;
    if (!ValidateArgument(error)) {
        Finish(false, error);
        return;
    }
    const tarn::RuntimeId target = ComponentFileLoader::ResolveDocument(m_argument.DocumentId);
    if (target.IsValid() && !tarn::Document::Find(target)) {
        Finish(false, L"找不到目标文档");
        return;
    }
    FetchComponentFile([this, target](const QString&, const std::shared_ptr<const tarn::ComponentFile>& file) {
        if (target.IsValid()) {
            tarn::RuntimeId familyId;
            if (LoadIntoDocument(target, file, familyId)) {
                Finish(true, std::wstring());
            }
            return;
        }
        KeepInLibrary(file);
    });
}

void LoadFromPublicIntoDocumentWorkflow4Lumen::KeepInLibrary(const std::shared_ptr<const tarn::ComponentFile>& file)
{
    emit Report(tr("正在保存到本地构件库...").toStdWString());
    const QString path = LibraryFilePath(m_argument.ComponentId);
    // Written by the download thread, read back here once it has finished with it.
    auto reason = std::make_shared<QString>();
    ComponentDownloadHub::Get()->Run(
        [file, path, reason] {
            // A full or read-only disk leaves a component kept earlier as it was.
            QString error;
            return file->Write(path, &error, reason.get()) ? QString() : (error.isEmpty() ? QStringLiteral("?") : error);
        },
        this,
        [this, path, reason](const QString& error) {
            if (error.isEmpty()) {
                Finish(true, path.toStdWString());
            } else {
                Fail(tr("无法保存到本地构件库：%1").arg(error).toStdWString(), reason->toStdWString());
            }
        });
}

} // namespace vela
