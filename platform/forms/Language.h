#pragma once
// The program speaks Turkish whatever the machine's language: dates, month and day
// names, numbers, and the texts of Qt's own dialogs (file dialog, calendar, standard
// buttons). The program's start and the test harness both call this.

namespace pv
{

// Sets the Turkish locale as the default, installs Qt's Turkish translations and has every
// file dialog name file types in Turkish (once per process; later calls only set the locale again). False
// when Qt's translations were not found: the program still runs, with Qt's own texts in English.
bool useTurkish();

// Called before the application object is made: Qt takes Turkish for the machine's own
// locale too, which Qt's file dialog follows for its dates and sizes. Neither the C
// library's locale nor the environment of programs started from here changes. False when
// it did not take (Qt had read the machine's locale already).
bool useTurkishAsMachineLocale();

} // namespace pv
