// SPDX-License-Identifier: MIT
#pragma once

class QLocale;
class QString;

// Installs the catalogue `name` from the resources' /i18n for `locale`, and
// Qt's own texts (Yes, No, Cancel) beside it, in place of any installed before.
// English needs neither: its texts are the sources.
void installTranslations(const QString& name, const QLocale& locale);
