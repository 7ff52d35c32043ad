#pragma once

// The screens that open the stamp edit form. Each leaves its marker in SharedState::marker as it
// opens the form (the print screen reads it too), and takes the form back through its unwind
// once the form has saved.
struct OpeningScreen
{
    const char* marker; // "YearBreakdown"
    const char* unwind; // "unwindToYearTableView": a target the screen registers
};

namespace OpeningScreens {

// The main menu, which opens the add form.
inline constexpr OpeningScreen MainMenu{.marker = "Menu", .unwind = "unwindToMenu"};

// The list of every stamp; the add form it opens goes back the same way.
inline constexpr OpeningScreen StampList{.marker = "Master", .unwind = "unwindToList"};

// The breakdowns of one group, a year's, a country's, ...
inline constexpr OpeningScreen YearBreakdown{.marker = "YearBreakdown",
                                             .unwind = "unwindToYearTableView"};
inline constexpr OpeningScreen CountryBreakdown{.marker = "CountryBreakdown",
                                                .unwind = "unwindToCountryTableView"};
inline constexpr OpeningScreen DenominationBreakdown{.marker = "DenominationBreakdown",
                                                     .unwind = "unwindToDenominationTableView"};
inline constexpr OpeningScreen ScottNumberBreakdown{.marker = "ScottNumberBreakdown",
                                                    .unwind = "unwindToScottsNumberTableView"};
inline constexpr OpeningScreen StatusBreakdown{.marker = "StatusBreakdown",
                                               .unwind = "unwindToStatusTableView"};

// Every screen the add form returns to after a save.
inline constexpr const OpeningScreen* ofAddForm[] = {&StampList, &MainMenu};

// Every screen the edit form returns to after a save.
// The main menu opens it from the stamps it lists as added last.
inline constexpr const OpeningScreen* ofEditForm[] = {
    &StampList,       &DenominationBreakdown, &CountryBreakdown, &YearBreakdown,
    &StatusBreakdown, &ScottNumberBreakdown,  &MainMenu,
};

} // namespace OpeningScreens
