// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "app/App.h"
#include "app/Translations.h"
#include "board/Rules.h"
#include "board/Window1.h"
#include "framework/Controls.h"
#include "headless/Headless.h"
#include "info/Window2.h"
#include "info/Window3.h"
#include "scores/Window4.h"

namespace {
// The texts of `window`'s labels and buttons that run out of the room their rectangle
// leaves (a button's less the style's margins; a multi-line label's word-wrapped).
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
            found << QString::asprintf(
                "%s \"%s\" needs %d x %d px, has %d x %d", qPrintable(control->objectName()),
                qPrintable(text), needed.width(), needed.height(), room.width(), room.height());
        }
    }
    return found;
}

QString tr(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

struct Language : ::testing::TestWithParam<QString> {
    void TearDown() override {
        closeAllWindows();
        installTranslations(QStringLiteral("huemix"), QLocale(QLocale::English));
    }
};

// How each window looks in each language, with its translations and Qt's loaded.
TEST_P(Language, translatesEveryTextToFitItsControl) {
    installTranslations(QStringLiteral("huemix"), QLocale(GetParam()));
    EXPECT_EQ(tr("Window1", "Quit") == "Quit", GetParam() == "en");  // ours and Qt's loaded
    EXPECT_EQ(tr("QPlatformTheme", "Cancel") == "Cancel", GetParam() == "en");
    QStringList found;
    Window4& scores = Window4::shared();
    StaticText& note = *scores.StaticText5;
    for (const QString& text :  // the longest notes beside the name field
         {tr("ScoreFile", "Scores cannot be kept: no home folder was found."),
          tr("ScoreFile", "Not all scores could be read: %1.")
              .arg(tr("ScoreFile", "a name or score in it is longer than %1 MB").arg(1))}) {
        note.setText(text);
        found << overflows(scores);
    }
    Window1& board = Window1::shared();
    for (int selector = 1; selector <= 6; ++selector) {  // every Beginner hint
        const std::array hints{board.StaticText16, board.StaticText17, board.StaticText18};
        for (std::size_t i = 0; i < hints.size(); ++i) {
            hints[i]->setText(hintsFor(selector)[i].text);
        }
        found << overflows(board);
    }
    found << overflows(Window2::shared()) << overflows(Window3::shared());
    found.removeDuplicates();
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, Language, ::testing::Values("en", "de", "fr", "es"),
                         [](const auto& language) { return language.param.toStdString(); });
}  // namespace
