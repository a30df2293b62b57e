#pragma once

#include <string>
#include <vector>

namespace store {

class Cursor;
class DataLink;

// Connects one cursor to the controls and master links that show or follow it.
class DataSource {
public:
    DataSource(std::string name, Cursor& cursor);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& name() const { return name_; }
    Cursor& DataSet() const { return cursor_; }

    void addLink(DataLink& link);
    void removeLink(DataLink& link);

    // Calls `event` on every link, in the order they were added. A link added while this
    // runs is told from the next event on; a link removed is not told again. No copy of the
    // links is made: a batch walk tells them hundreds of thousands of times.
    template <typename Event> void notify(Event event) const
    {
        ++notifying_;
        const std::size_t count = links_.size();
        try {
            for (std::size_t i = 0; i < count; ++i)
                if (DataLink* link = links_[i])
                    event(*link);
        } catch (...) {
            finishNotifying();
            throw;
        }
        finishNotifying();
    }

private:
    void finishNotifying() const noexcept;

    std::string name_;
    Cursor& cursor_;
    mutable std::vector<DataLink*> links_; // a removed link leaves a gap while links are told
    mutable int notifying_ = 0;
};

} // namespace store
