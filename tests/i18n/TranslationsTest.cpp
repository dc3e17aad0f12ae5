// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app/Translations.h"
#include "board/Rules.h"
#include "board/Window1.h"
#include "headless/Headless.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

namespace {
// The texts of `window`'s labels and buttons that need more room than their rectangle leaves
// (a button's less the style's margins; a multi-line label's word-wrapped).
QStringList overflows(const QWidget& window) {
    QStringList found;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const auto metric = [&](QStyle::PixelMetric m) { return control->style()->pixelMetric(m); };
        const auto* label = qobject_cast<const QLabel*>(control);
        QSize room = control->contentsRect().size();
        if (qobject_cast<const QRadioButton*>(control)) {
            room.rwidth() -= metric(QStyle::PM_ExclusiveIndicatorWidth) +
                             metric(QStyle::PM_RadioButtonLabelSpacing);
        } else if (qobject_cast<const QPushButton*>(control)) {
            room.rwidth() -=
                metric(QStyle::PM_ButtonMargin) + 2 * metric(QStyle::PM_DefaultFrameWidth);
        } else if (!label) {
            continue;
        }
        const QString text = control->property("text").toString();
        const int wrap = label && label->wordWrap() ? Qt::TextWordWrap : 0;
        const QSize needed = QFontMetrics(control->font())
                                 .boundingRect(QRect(0, 0, room.width(), 9999), wrap, text)
                                 .size();
        if (!text.isEmpty() && (needed.width() > room.width() || needed.height() > room.height())) {
            found << control->objectName() + " \"" + text + "\"";
        }
    }
    return found;
}

QString tr(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

struct Language : ::testing::TestWithParam<QString> {};

TEST_P(Language, translatesEveryTextToFitItsControl) {
    installTranslations(QStringLiteral("huemix"), QLocale(GetParam()));
    EXPECT_EQ(tr("Window1", "Quit") == "Quit", GetParam() == "en") << "the game's catalogue";
    EXPECT_EQ(tr("QPlatformTheme", "Cancel") == "Cancel", GetParam() == "en") << "Qt's catalogue";
    QStringList found;
    Window4& scores = Window4::shared();
    for (const QString& note :  // the longest notes beside the name field
         {tr("ScoreFile", "Scores cannot be kept: no home folder was found."),
          tr("ScoreFile", "Not all scores could be read: %1.")
              .arg(tr("ScoreFile", "a name or score in it is longer than %1 MB").arg(1))}) {
        scores.StaticText5->setText(note);
        found << overflows(scores);
    }
    Window1& board = Window1::shared();
    for (int selector = 1; selector <= 6; ++selector) {  // every Beginner hint
        const auto hints = hintsFor(selector);
        board.StaticText16->setText(hints[0].text);
        board.StaticText17->setText(hints[1].text);
        board.StaticText18->setText(hints[2].text);
        found << overflows(board);
    }
    found << overflows(Window2::shared()) << overflows(Window3::shared());
    found.removeDuplicates();
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
    closeAllWindows();
    installTranslations(QStringLiteral("huemix"), QLocale(QLocale::English));
}

INSTANTIATE_TEST_SUITE_P(Languages, Language, ::testing::Values("en", "de", "fr", "es"),
                         [](const auto& language) { return language.param.toStdString(); });
}  // namespace
