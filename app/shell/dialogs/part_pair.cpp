#include "app/shell/dialogs/part_pair.hpp"

#include "app/shell/dialogs/dialog_forms.hpp"
#include "app/shell/dialogs/dialog_messages.hpp"
#include "app/shell/dialogs/dialog_support.hpp"
#include "app/shell/dialogs/model_records.hpp"

namespace rz::app {

std::optional<PartPair> chooseTwoParts(CommandPort& port, const char* title,
                                       const QString& prompt) {
    const std::vector<ListEntry> parts = partEntries(model(port));
    if (parts.size() < 2) {
        refuse(port, dialog_msg::kNoPart);
        return std::nullopt;
    }
    ModelDialog d(port, title);
    d.addPrompt(prompt);
    QListWidget* first = d.addList("first", parts, Choice::One, parts[0].number);
    QListWidget* second = d.addList("second", parts, Choice::One, parts[1].number);
    if (!d.exec()) return std::nullopt;
    const std::vector<int> a = chosenNumbers(*first);
    const std::vector<int> b = chosenNumbers(*second);
    if (a.empty() || b.empty()) return std::nullopt;
    if (a[0] == b[0]) {
        refuse(port, dialog_msg::kSameParts);
        return std::nullopt;
    }
    return PartPair{a[0], b[0]};
}

}  // namespace rz::app
