#pragma once

// A simulated reader for the adaptive practice: it knows some notes and not others, learns a note a little
// from every answer to it (the feedback shows the right note), and answers the notes it knows right and
// fast, the others slowly and often wrong. Plain C++, shared by the tests and the simulation of
// bench_mastery.

#include "AdaptivePicker.h"
#include "AnswerRecord.h"
#include "MasteryModel.h"
#include "NoteTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace quavix::simulation {

constexpr double KnownLogit = 4;      // 98 % right, in about 1.5 s
constexpr double UnknownLogit = -0.5; // 38 % right: a note worked out slowly, or guessed
constexpr double LearnedChance = 0.9; // a note this sure counts as known
constexpr double LearnStep = 0.15;    // what one answer teaches, in logits: about 30 answers to learn one
constexpr double TimeOutShare = 0.15; // of the wrong answers, those that run out of time
constexpr std::int64_t Start = 1'796'000'000; // December 2026
constexpr std::int64_t SecondsPerAnswer = 6;

struct Response {
    bool Right = false;
    int Milliseconds = 0;
};

class SimulatedLearner {
public:
    SimulatedLearner(const std::vector<bool>& knows, std::uint64_t seed) : random_(seed) {
        for (bool known : knows)
            logits_.push_back(known ? KnownLogit : UnknownLogit);
    }

    double Chance(std::size_t note) const { return 1 / (1 + std::exp(-logits_[note])); }
    bool Knows(std::size_t note) const { return Chance(note) >= LearnedChance; }
    bool KnowsAll() const {
        for (std::size_t note = 0; note < logits_.size(); ++note)
            if (!Knows(note))
                return false;
        return true;
    }

    Response Answer(std::size_t note) {
        const double p = Chance(note);
        Response response;
        response.Right = Uniform() < p;
        if (response.Right) {
            // Fluent notes take about 1.2 s, hard ones up to 8 s, each time a little different.
            const double seconds = (1.2 + 7 * (1 - p)) * std::exp(0.25 * Normal());
            response.Milliseconds = static_cast<int>(std::min(seconds, 12.5) * 1000);
        } else {
            response.Milliseconds =
                Uniform() < TimeOutShare ? 13000 : static_cast<int>(1500 + Uniform() * 10500);
        }
        logits_[note] = std::min(KnownLogit, logits_[note] + LearnStep);
        return response;
    }

private:
    double Uniform() { return std::uniform_real_distribution<double>(0, 1)(random_); }
    double Normal() { return std::normal_distribution<double>(0, 1)(random_); }

    std::vector<double> logits_;
    std::mt19937_64 random_;
};

// The 26 notes of the staff set at the top level on both staves, in the order levels admit them.
inline std::vector<NoteItem> StaffSetItems() {
    NoteTable table{};
    BuildNoteTable(table, NoteButtons);
    std::vector<NoteItem> items;
    for (int row = 0; row < StaffSetRows; ++row)
        items.push_back({StaffOfRow(row, NoteButtons), static_cast<std::int16_t>(table[row].Step), 0});
    return items;
}

struct Profile {
    std::string Name;
    std::vector<bool> Knows; // per note of StaffSetItems
};

inline std::vector<Profile> Profiles() {
    auto knows = [](auto rule) {
        std::vector<bool> known;
        for (int row = 0; row < StaffSetRows; ++row)
            known.push_back(rule(row));
        return known;
    };
    return {
        {"knows all but the 4 outermost", knows([](int row) { return row < StaffSetRows - 4; })},
        {"knows treble, not bass", knows([](int row) { return row % 2 == 0; })},
        {"beginner, knows 4", knows([](int row) { return row < 4; })},
        {"knows them all", knows([](int) { return true; })},
    };
}

enum class Policy { Uniform, Adaptive };

struct RunFigures {
    int Answers = 0;
    int UnknownAsks = 0; // questions on notes not known at the start
    int Rights = 0;
    int RightsAfterSettling = 0; // over the answers after the first Window
    int FirstOnTarget = -1;      // answers until the last Window answers' success came within ±5 % of target
    int AllKnownAfter = -1;      // answers until the learner knew every note
    int AllAskedAfter = -1;      // answers until every note had been asked
    std::vector<int> Asks;       // per note

    double UnknownShare() const { return Answers > 0 ? double(UnknownAsks) / Answers : 0; }
    double SuccessAfterSettling(int window) const {
        return Answers > window ? double(RightsAfterSettling) / (Answers - window) : 0;
    }
};

constexpr int Window = 40;

// The engine's own draw: uniform over the notes, leaving out the one just asked.
inline int UniformPick(std::size_t count, int previous, std::mt19937_64& random) {
    const int choices = static_cast<int>(count) - (previous >= 0 ? 1 : 0);
    int pick = std::uniform_int_distribution<int>(0, choices - 1)(random);
    if (previous >= 0 && pick >= previous)
        ++pick;
    return pick;
}

inline RunFigures Run(Policy policy, const std::vector<bool>& knows, std::uint64_t seed, int answers,
                      double target = AdaptivePicker::DefaultTarget) {
    const std::vector<NoteItem> items = StaffSetItems();
    SimulatedLearner learner(knows, seed);
    MasteryModel model;
    AdaptivePicker picker(target);
    ClockSeededRandom draw(seed * 7919 + 1);
    std::mt19937_64 uniform(seed * 104729 + 3);
    RunFigures figures;
    figures.Asks.assign(items.size(), 0);
    std::deque<bool> recent;
    int recentRights = 0;
    int previous = -1;
    for (int i = 0; i < answers; ++i) {
        const std::int64_t now = Start + i * SecondsPerAnswer;
        const int note = policy == Policy::Adaptive ? picker.Pick(model, items, previous, now, draw)
                                                    : UniformPick(items.size(), previous, uniform);
        const Response response = learner.Answer(static_cast<std::size_t>(note));
        model.Record({items[note], now, response.Right, response.Milliseconds}, now);
        previous = note;

        ++figures.Answers;
        ++figures.Asks[note];
        figures.UnknownAsks += knows[note] ? 0 : 1;
        figures.Rights += response.Right ? 1 : 0;
        if (i >= Window)
            figures.RightsAfterSettling += response.Right ? 1 : 0;
        recent.push_back(response.Right);
        recentRights += response.Right ? 1 : 0;
        if (recent.size() > Window) {
            recentRights -= recent.front() ? 1 : 0;
            recent.pop_front();
        }
        if (figures.FirstOnTarget < 0 && recent.size() == Window &&
            std::fabs(double(recentRights) / Window - target) <= 0.05)
            figures.FirstOnTarget = i + 1;
        if (figures.AllAskedAfter < 0 && std::count(figures.Asks.begin(), figures.Asks.end(), 0) == 0)
            figures.AllAskedAfter = i + 1;
        if (figures.AllKnownAfter < 0 && learner.KnowsAll())
            figures.AllKnownAfter = i + 1;
    }
    return figures;
}

} // namespace quavix::simulation
