#include "ComponentFileCatalog.h"

#include <QCryptographicHash>
#include <QFile>
#include <QUrl>

namespace vela::test {

ComponentFileCatalog::ComponentFileCatalog(QString folder)
    : m_folder(std::move(folder))
{
}

tarn::ComponentFile ComponentFileCatalog::MakeFile(const QString& familyName, const QStringList& typeNames, double width)
{
    tarn::ComponentFile file;
    file.FamilyName = familyName;
    file.CategoryCode = QStringLiteral("A01");
    for (const QString& name : typeNames) {
        file.Types.append({name, {{QStringLiteral("宽度"), QString::number(width), QStringLiteral("mm")}}});
    }
    tarn::ComponentFile::Solid box;
    box.Size = {width, 100, 2000};
    file.Solids.append(box);
    return file;
}

void ComponentFileCatalog::AddComponent(const std::wstring& id, const QString& familyName,
                                        const QStringList& typeNames, double width)
{
    AddRawFile(id, MakeFile(familyName, typeNames, width).ToJson());
}

void ComponentFileCatalog::AddRawFile(const std::wstring& id, const QByteArray& bytes)
{
    const QByteArray name = QCryptographicHash::hash(QString::fromStdWString(id).toUtf8(), QCryptographicHash::Md5).toHex();
    QFile file(m_folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".json"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    AddUrl(id, QUrl::fromLocalFile(file.fileName()).toString().toStdWString());
}

void ComponentFileCatalog::AddUrl(const std::wstring& id, const std::wstring& url)
{
    FileUrls[id] = url;
}

} // namespace vela::test
