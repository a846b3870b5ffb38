// A control array: controls of one name told apart by an index, as the
// handlers receive it first.
#pragma once

#include <memory>
#include <string>
#include <vector>

template <class T>
class ControlArray {
public:
    ControlArray(const std::string& name, int lbound, int ubound) : m_LBound(lbound) {
        for (int i = lbound; i <= ubound; ++i) m_Items.push_back(std::make_unique<T>(name, i));
    }
    T& operator()(int index) { return *m_Items.at(static_cast<size_t>(index - m_LBound)); }
    const T& operator()(int index) const { return *m_Items.at(static_cast<size_t>(index - m_LBound)); }
    int LBound() const { return m_LBound; }
    int UBound() const { return m_LBound + static_cast<int>(m_Items.size()) - 1; }

private:
    int m_LBound;
    std::vector<std::unique_ptr<T>> m_Items;
};
