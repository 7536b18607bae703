#ifndef CLISTENERLIST_H
#define CLISTENERLIST_H

#include <vector>
#include <algorithm>

// A list of listener pointers that may change while it is being fired.
// Add ignores null and keeps duplicates; Remove drops one entry. Fire works on a
// snapshot, so a listener added during a dispatch does not get that event, and a
// listener removed during a dispatch (perhaps deleted) is skipped.
template <class T>
class CListenerList {
public:
    void Add(T* listener)
    {
        if (listener)
            items.push_back(listener);
    }

    void Remove(T* listener)
    {
        typename std::vector<T*>::iterator it = std::find(items.begin(), items.end(), listener);
        if (it != items.end())
            items.erase(it);
    }

    void RemoveAll(T* listener)
    {
        items.erase(std::remove(items.begin(), items.end(), listener), items.end());
    }

    void Clear() { items.clear(); }

    bool Contains(T* listener) const
    {
        return std::find(items.begin(), items.end(), listener) != items.end();
    }

    size_t Count() const { return items.size(); }
    T* At(size_t i) const { return items[i]; }

    std::vector<T*> Snapshot() const { return items; }

    // Calls handler on every listener with its own copy of the event.
    template <class E>
    void Fire(void (T::*handler)(E), const E& event) const
    {
        std::vector<T*> snapshot = items;
        for (size_t i = 0; i < snapshot.size(); i++) {
            if (Contains(snapshot[i]))
                (snapshot[i]->*handler)(event);
        }
    }

private:
    std::vector<T*> items;
};

#endif
