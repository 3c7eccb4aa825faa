#pragma once

namespace quorix::ui {

// Makes every skinned slider a slider for screen readers: its name is its
// label, its value the text it shows with its unit, and a value set by an
// assistive tool moves it as a user would.
void InstallSliderAccessibility();

} // namespace quorix::ui
