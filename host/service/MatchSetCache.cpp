#include "MatchSetCache.h"

namespace vela {

MatchSetCache::MatchSetCache(int maximumEntries, qint64 maximumBytes)
    : m_maximumEntries(std::max(1, maximumEntries))
    , m_maximumBytes(maximumBytes)
{
}

std::wstring MatchSetCache::Get(const QString& key, const Compute& compute, Set& out)
{
    {
        QMutexLocker lock(&m_mutex);
        // Another thread is computing the same set: its answer is ours.
        while (m_pending.contains(key)) {
            m_computed.wait(&m_mutex);
        }
        out = TakeLocked(key);
        if (out) {
            return {};
        }
        m_pending.insert(key);
    }
    Set computed;
    std::wstring error;
    try {
        error = compute(computed);
    } catch (...) {
        QMutexLocker lock(&m_mutex);
        m_pending.remove(key);
        m_computed.wakeAll();
        throw;
    }
    QMutexLocker lock(&m_mutex);
    m_pending.remove(key);
    if (error.empty() && computed) {
        InsertLocked(key, computed);
    }
    m_computed.wakeAll();
    out = error.empty() ? computed : nullptr;
    return error;
}

MatchSetCache::Set MatchSetCache::Find(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    return TakeLocked(key);
}

int MatchSetCache::Entries() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_entries.size());
}

qint64 MatchSetCache::Bytes() const
{
    QMutexLocker lock(&m_mutex);
    return m_bytes;
}

MatchSetCache::Set MatchSetCache::TakeLocked(const QString& key)
{
    const auto found = m_byKey.constFind(key);
    if (found == m_byKey.cend()) {
        return nullptr;
    }
    m_entries.splice(m_entries.begin(), m_entries, *found);
    return m_entries.front().Value;
}

void MatchSetCache::InsertLocked(const QString& key, const Set& set)
{
    const qint64 bytes = set->Bytes();
    if (bytes > m_maximumBytes || m_byKey.contains(key)) {
        return;
    }
    while (!m_entries.empty()
           && (int(m_entries.size()) >= m_maximumEntries || m_bytes + bytes > m_maximumBytes)) {
        m_bytes -= m_entries.back().Value->Bytes();
        m_byKey.remove(m_entries.back().Key);
        m_entries.pop_back();
    }
    m_entries.push_front(Entry{key, set});
    m_byKey.insert(key, m_entries.begin());
    m_bytes += bytes;
}

} // namespace vela
