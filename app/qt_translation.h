// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTranslator;

namespace quorix::app {

// Loads Qt's own Chinese texts (buttons, file dialogs) from Qt's translations
// folder; false when they are not installed, and Qt then speaks English.
bool LoadQtTranslation(QTranslator& translator);

} // namespace quorix::app
