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

    // Calls `event` on every link, in the order they were added. A link added or removed
    // while this runs takes effect from the next event on.
    template <typename Event> void notify(Event event) const
    {
        const std::vector<DataLink*> links = links_;
        for (DataLink* link : links)
            event(*link);
    }

private:
    std::string name_;
    Cursor& cursor_;
    std::vector<DataLink*> links_;
};

} // namespace store
