#pragma once

#include <QList>
#include <initializer_list>
#include <memory>

// A list that is shared, not copied, when assigned: the screen builds a rule array once and
// hands it to its query and grids, which all see (and may adjust) the same entries.
// A default-constructed array is "not assigned", which some rules distinguish from empty.
template <typename T>
class SharedArray
{
public:
    SharedArray() = default;
    SharedArray(std::initializer_list<T> items) : m_items(std::make_shared<QList<T>>(items)) {}

    bool isAssigned() const { return m_items != nullptr; }
    qsizetype size() const { return m_items ? m_items->size() : 0; }
    bool isEmpty() const { return size() == 0; }

    T &operator[](qsizetype index) { return (*m_items)[index]; }
    const T &operator[](qsizetype index) const { return m_items->at(index); }

    void append(const T &item)
    {
        if (!m_items)
            m_items = std::make_shared<QList<T>>();
        m_items->append(item);
    }

    typename QList<T>::iterator begin() { return m_items ? m_items->begin() : typename QList<T>::iterator(); }
    typename QList<T>::iterator end() { return m_items ? m_items->end() : typename QList<T>::iterator(); }
    typename QList<T>::const_iterator begin() const { return m_items ? m_items->cbegin() : typename QList<T>::const_iterator(); }
    typename QList<T>::const_iterator end() const { return m_items ? m_items->cend() : typename QList<T>::const_iterator(); }

private:
    std::shared_ptr<QList<T>> m_items;
};
