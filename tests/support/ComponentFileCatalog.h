#pragma once

#include "ComponentFile.h"
#include "ScriptedCatalogBackend.h"

#include <QStringList>

namespace vela::test {

// A scripted catalog whose component files are real files in a folder,
// answered as file:// URLs.
class ComponentFileCatalog : public ScriptedCatalogBackend
{
public:
    explicit ComponentFileCatalog(QString folder);

    // A family with the given types (each with a width parameter) and a box `width` mm wide.
    static tarn::ComponentFile MakeFile(const QString& familyName, const QStringList& typeNames, double width = 900);

    void AddComponent(const std::wstring& id, const QString& familyName, const QStringList& typeNames,
                      double width = 900);
    void AddRawFile(const std::wstring& id, const QByteArray& bytes);
    void AddUrl(const std::wstring& id, const std::wstring& url);

private:
    QString m_folder;
};

} // namespace vela::test
