// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

namespace quorvel {

// A cache bounded by the bytes its values take: when a new value would pass
// the budget, the least recently used values go first. A value larger than
// the whole budget is not kept at all. Not thread-safe.
template <typename Key, typename Value, typename Hash = std::hash<Key>> class LruCache {
public:
    explicit LruCache(size_t budgetBytes) : m_budget(budgetBytes) {}

    // The value for `key`, marked as used now; null when absent.
    Value* find(const Key& key) {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return nullptr;
        m_order.splice(m_order.begin(), m_order, it->second);
        return &it->second->value;
    }

    // Keeps `value` under `key` (replacing an older one) as `bytes` large and
    // returns where it is kept, or null when it is larger than the budget;
    // the value is then not kept and the caller still owns its copy.
    Value* insert(const Key& key, Value value, size_t bytes) {
        if (auto it = m_index.find(key); it != m_index.end()) {
            m_used -= it->second->bytes;
            m_order.erase(it->second);
            m_index.erase(it);
        }
        if (bytes > m_budget)
            return nullptr;
        while (!m_order.empty() && m_used + bytes > m_budget) {
            m_used -= m_order.back().bytes;
            m_index.erase(m_order.back().key);
            m_order.pop_back();
        }
        m_order.push_front(Entry{key, std::move(value), bytes});
        m_index.emplace(key, m_order.begin());
        m_used += bytes;
        return &m_order.front().value;
    }

    void erase(const Key& key) {
        auto it = m_index.find(key);
        if (it == m_index.end())
            return;
        m_used -= it->second->bytes;
        m_order.erase(it->second);
        m_index.erase(it);
    }

    void clear() {
        m_index.clear();
        m_order.clear();
        m_used = 0;
    }

    size_t usedBytes() const { return m_used; }
    size_t size() const { return m_index.size(); }
    size_t budget() const { return m_budget; }

private:
    struct Entry {
        Key key;
        Value value;
        size_t bytes;
    };
    size_t m_budget;
    size_t m_used = 0;
    std::list<Entry> m_order; // most recently used first
    std::unordered_map<Key, typename std::list<Entry>::iterator, Hash> m_index;
};

} // namespace quorvel
