#pragma once

#include "DataLink.h"

#include <cstdint>
#include <optional>

namespace store {

class Cursor;
class DataSource;

// Links an entry cursor to the worker cursor through its data source: the entry cursor
// shows only the entries whose Index is the Auto of the worker the master stands on.
class MasterLink final : public DataLink {
public:
    MasterLink(DataSource& master, Cursor& detail);
    ~MasterLink() override;
    MasterLink(const MasterLink&) = delete;
    MasterLink& operator=(const MasterLink&) = delete;

    // The master's current Auto; empty when it stands on no record or on an unposted one.
    std::optional<std::int32_t> rangeValue() const;

    bool isControl() const override { return false; }
    // Whether the master's controls are disabled: the entry cursor's are then too.
    bool masterControlsDisabled() const;
    void recordChanged() override;
    void controlsEnabled() noexcept override;
    void checkBrowseMode() override;

private:
    DataSource& master_;
    Cursor& detail_;
};

} // namespace store
