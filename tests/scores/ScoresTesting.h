#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "board/Window1.h"
#include "framework/Random.h"
#include "scores/Window4.h"
#include "support/Fakes.h"

// A fresh preferences folder per test, the window classes registered, and
// helpers to put and read the score file.
class ScoresTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
        Window1::registerClass();
        Window4::registerClass();
        SetRandom(&random_);
        recorded().Clear();
    }
    void TearDown() override {
        CloseAllWindows();
        SetRandom(nullptr);
    }

    QString ScorePath() const { return home_.filePath("Huemix.prefs"); }
    void PutScores(const QByteArray& bytes) const {
        QFile file(ScorePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // The file's bytes, or nothing when there is no file.
    std::optional<QByteArray> Scores() const {
        QFile file(ScorePath());
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return file.readAll();
    }

    // The score board as the application opens it.
    Window4& OpenScoreBoard() {
        Window4& scores = Window4::instance();
        SettleEvents();
        return scores;
    }
    // The game board after "Run", with Expert chosen if asked.
    Window1& Run(Window4& scores, const QString& name, bool expert) {
        scores.EditField1->SetText(name);
        scores.StaticText3_MouseDown(10, 10);
        Window1& board = Window1::instance();
        if (expert) {
            board.RadioButton2->SetValue(true);
        }
        return board;
    }

    QTemporaryDir home_;
    SeededRandom random_{20};
};
