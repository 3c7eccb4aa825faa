// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_translation.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace quorix::app {

bool LoadQtTranslation(QTranslator& translator)
{
    return translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace quorix::app
