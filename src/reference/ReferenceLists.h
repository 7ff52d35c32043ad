#pragma once

#include <QList>

// The eleven reference lists and the names of their screens: the browser, the add screen and
// the edit screen of each, with what differs between them.
struct ReferenceListMember
{
    // The lists menu's button.
    const char* menuButton; // "PerforationsButton"
    const char* menuTitle;
    // The browser.
    const char* browserName; // "PerforationReferenceListTableViewController"
    const char* browserTitle;
    const char* entityName; // "PerforationList"
    const char* attribute;  // "perforation"
    const char* listName;   // "ListOfPerforations"
    const char* filteredListName;
    const char* searchPlaceholder;
    // Whether the browser sorts by the attribute (the perforations keep the store's order).
    bool sorted;
    const char* editSegue; // "showPerforations"
    const char* marker;    // set before opening the edit screen
    const char* unwindAction;
    const char* unwind; // "unwindToPerforationsTableView"
    // The add screen.
    const char* addName; // "AddPerforationViewController"
    const char* addTitle;
    const char* textField;   // "PerforationTextField"
    const char* addListName; // the texts the duplicate test looks at
    const char* addSaveAction;
    const char* emptyMessage;
    // The edit screen.
    const char* editName; // "EditPerforationViewController"
    const char* editTitle;
    const char* editSaveAction;
    const char* lookupFormat; // "perforation = %@"
    // The perforation edit screen refuses an empty text and stays when nothing is found.
    bool editRefusesEmpty;
};

namespace ReferenceLists {

// In the order of the lists menu.
const QList<ReferenceListMember>& members();

} // namespace ReferenceLists
