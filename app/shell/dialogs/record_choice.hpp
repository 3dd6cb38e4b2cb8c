#pragma once
// Choosing one record of a family (a material, a mapping, a light) from a list: the list
// starts at the record the family's point variable names and, on OK, that variable is set
// to the chosen record's number.

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <functional>

#include "app/shell/command_port.hpp"

namespace rz::app {

struct RecordChoice {
    const char* title;
    const char* pointVariable;  // set to the chosen number
    const char* countVariable;  // records first … count − 1 are listed
    int first;                  // the first record worth choosing
};

// The text (and, when it has one, the colour) a list entry shows for record n.
struct RecordEntry {
    QString text;
    QColor colour;  // invalid: none
};
using RecordDescriber = std::function<RecordEntry(int n)>;

class RecordChoiceDialog : public QDialog {
  public:
    RecordChoiceDialog(QWidget& owner, const RecordChoice& choice, int current, int count,
                       const RecordDescriber& describe);
    // The record chosen, or −1 when none is.
    int chosen() const;

  private:
    QVBoxLayout layout_{this};
    QListWidget list_;
    QDialogButtonBox buttons_{QDialogButtonBox::Ok | QDialogButtonBox::Cancel};
    int first_;
};

// True when a record was chosen and its number set. The list never goes past `limit`, the
// size of the family's store, whatever the count variable says.
bool runRecordChoice(CommandPort& port, const RecordChoice& choice, int limit,
                     const RecordDescriber& describe);

}  // namespace rz::app
