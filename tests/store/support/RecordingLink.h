#pragma once

#include "DataLink.h"
#include "DataSource.h"
#include "Field.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Stands in for a data-aware control: records what its data source told it and, when
// given typed text, hands it over to its field when the cursor settles.
class RecordingLink : public store::DataLink {
public:
    explicit RecordingLink(store::DataSource& source) : source_(source) { source_.addLink(*this); }
    ~RecordingLink() override { source_.removeLink(*this); }

    void type(store::Field& field, std::string text)
    {
        typedField_ = &field;
        typed_ = std::move(text);
    }

    void recordChanged() override { events.push_back("record"); }
    void stateChanged() noexcept override { events.push_back("state"); }
    void fieldChanged(const store::Field& field) override { events.push_back("field " + std::string(field.FieldName())); }
    void dataSetChanged() noexcept override { events.push_back("dataset"); }
    void rowWritten(std::int32_t key, store::RowChange change, std::int64_t ownWrites) noexcept override
    {
        static const char* const changes[] = {"added", "changed", "removed"};
        events.push_back("written " + std::string(changes[int(change)]) + " " + std::to_string(key) + " in "
                         + std::to_string(ownWrites));
    }
    void updateData() override
    {
        events.push_back("update");
        if (typedField_) {
            typedField_->SetText(typed_); // a refused text stays typed, as in a real box
            typedField_ = nullptr;
        }
    }

    std::vector<std::string> events;

private:
    store::DataSource& source_;
    store::Field* typedField_ = nullptr;
    std::string typed_;
};

} // namespace testing_support
