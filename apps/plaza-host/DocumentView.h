#pragma once

#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>

namespace tarn {
class Document;
}

namespace plazahost {

// Shows one document as a tree — families, their types with a parameter
// summary, the instances placed from each type — and follows its changes.
class DocumentView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DocumentView(QWidget* parent = nullptr);

    // Null, or a document that is later destroyed, leaves the view empty.
    void SetDocument(tarn::Document* document);
    tarn::Document* Document() const;

    // Rebuilds at once instead of at the next quiet moment.
    void Refresh();

private:
    void ScheduleRefresh();

    QPointer<tarn::Document> m_document;
    QMetaObject::Connection m_changedConnection;
    // A batch changes the document many times in a row; the tree is rebuilt once it pauses.
    QTimer m_refreshTimer;
    // Items the user folded, by key, kept across rebuilds.
    QSet<QString> m_collapsed;
};

} // namespace plazahost
