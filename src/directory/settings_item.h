#pragma once

// The settings item is the calendar appointment with this subject; its recipients are the directory.
inline constexpr const char* SettingsSubject = "Quorvel_Settings1_";

// Loads the directory from the settings item when the add-in connects.
void GlobalInitSettings();
