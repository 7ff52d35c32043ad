#pragma once

#include "app/ReferenceEntries.h"

#include <QList>

// The eleven reference lists and the names of their screens: the browser, the add screen and
// the edit screen of each, with what differs between them. The examples are the perforations'.
struct ReferenceListMember
{
    // The list itself: its entity, its name and what its entries must be.
    const ReferenceEntries::List* list;

    // The lists menu.
    const char* menuButton; // the button's object name, its text the list's title

    // The browser.
    const char* browserName;       // object name: "PerforationReferenceListTableViewController"
    const char* browserTitle;      // "Perforations"
    const char* attribute;         // the entity's one text: "perforation"
    const char* listName;          // the full list's name: "ListOfPerforations"
    const char* filteredListName;  // the searched list's name: "FilteredListOfPerforations"
    const char* searchPlaceholder; // "Search by Perforation"
    // Whether the browser sorts by the attribute (the perforations keep the store's order).
    bool sorted;
    const char* editSegue; // opens the edit screen: "showPerforations"
    // The shared marker the browser leaves as it opens the edit screen: "PerforationsTableView".
    const char* marker;
    // The browser's unwind action, "unwindToPerforationsTableViewWithSegue", and the target both
    // forms return by, "unwindToPerforationsTableView".
    const char* unwindAction;
    const char* unwind;

    // The add screen.
    const char* addName;       // object name: "AddPerforationViewController"
    const char* addTitle;      // "Add Perforation"
    const char* textField;     // the entry's field, on both forms: "PerforationTextField"
    const char* addListName;   // the list the duplicate test looks at: "ListOfPerforations"
    const char* addSaveAction; // the save button's object name: "SavePerforation"

    // The edit screen.
    const char* editName;       // object name: "EditPerforationViewController"
    const char* editTitle;      // "Edit Perforation"
    const char* editSaveAction; // the save button's object name: "SavePerforation"
    const char* lookupFormat;   // finds the entry being edited: "perforation = %@"
    // The perforation edit screen refuses an empty text and stays when nothing is found.
    bool editRefusesEmpty;
};

namespace ReferenceLists {

// In the order of the lists menu.
const QList<ReferenceListMember>& members();

} // namespace ReferenceLists
