#pragma once

#include "MatchSet.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <list>
#include <memory>
#include <string>

namespace vela {

// The last few match sets of one catalog, shared by its worker threads, so
// the count, every page and the category tree of one query are read from
// one computation. Bounded by number and by bytes, least recently used
// first out; a set larger than the whole budget is handed out but not kept.
// Two threads asking for the same key at once compute it once.
class MatchSetCache
{
public:
    using Set = std::shared_ptr<const MatchSet>;
    // Fills the set or returns the user's error message.
    using Compute = std::function<std::wstring(Set& out)>;

    MatchSetCache(int maximumEntries, qint64 maximumBytes);

    std::wstring Get(const QString& key, const Compute& compute, Set& out);
    // The set under `key` if kept, without computing it.
    Set Find(const QString& key);

    int Entries() const;
    qint64 Bytes() const;

private:
    struct Entry
    {
        QString Key;
        Set Value;
    };

    Set TakeLocked(const QString& key);
    void InsertLocked(const QString& key, const Set& set);

    const int m_maximumEntries;
    const qint64 m_maximumBytes;
    mutable QMutex m_mutex;
    QWaitCondition m_computed;
    // Most recently used first.
    std::list<Entry> m_entries;
    QHash<QString, std::list<Entry>::iterator> m_byKey;
    QSet<QString> m_pending;
    qint64 m_bytes = 0;
};

} // namespace vela
