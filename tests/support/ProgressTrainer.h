// A trainer window that keeps its progress on request in a folder of the test's own, for the tests of
// results, kept progress and its problems in the real window.
#pragma once

#include "ProgressRoom.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QtTest>

#include <memory>
#include <vector>

namespace quavix {

// Walks through the pool like SteppingRandom, and remembers the n of every draw.
class CountingRandom final : public RandomSource {
public:
    std::vector<int> asked;
    int RandomBelow(int n) override {
        asked.push_back(n);
        return (count_++ * 7) % n;
    }
    void Reseed() override {}

private:
    int count_ = 0;
};

// A shown, active window keeping its progress (on request) in folder.
struct Trainer {
    explicit Trainer(const QString& folder) {
        TFormQX25::Options options;
        options.colourDepth = 32;
        options.random = &random;
        options.progressFolder = folder;
        window = std::make_unique<TFormQX25>(options);
        window->show();
        Activate();
        SettleAfterFirstPaint(*window);
    }
    void Activate() const { MakeActive(window.get()); }
    QAction* Action(const char* name) const { return window->findChild<QAction*>(name); }
    void Key(int key) const {
        Activate();
        QTest::keyClick(window.get(), Qt::Key(key));
    }
    QuizEngine& Engine() const { return window->Engine(); }
    const NoteEntry& Current() const { return Engine().Table[Engine().State.CurrentNote]; }
    void TypeRight() const { QTest::keyClick(window.get(), char(Current().Letter - 'A' + 'a')); }
    // A whole quiz with every note answered right by typing.
    void PlayQuiz() const {
        Key(Qt::Key_Space);
        while (Engine().State.Running)
            TypeRight();
    }
    TFormQX25* operator->() const { return window.get(); }
    TFormQX25& operator*() const { return *window; }
    TProgressRoom& Progress() const { return ProgressOf(*window); }

    CountingRandom random;
    std::unique_ptr<TFormQX25> window;
};

} // namespace quavix
