#pragma once

#include <functional>

class TestEnvironment;

// What the benchmarks share: a collection generated into a test environment, and the timing of a
// piece of work printed as it is measured.
namespace GeneratedCollection {

// Stamps some collections leave out a value of: every `noCountryEvery`th stamp has no country and
// every `noYearEvery`th the year 0 of a year never given (0: none of them).
struct Gaps
{
    int noCountryEvery = 0;
    int noYearEvery = 0;
};

// `stamps` stamps in `countries` countries, the same for the same arguments; one in ten has a
// picture. Saved a batch at a time, the store opened afresh after each, so the records made for
// the generation do not stay in memory beside what is measured afterwards.
void fill(TestEnvironment& test, int stamps, int countries, Gaps gaps = {});

// Runs `work` once, prints "what  time ms" and returns the time in milliseconds.
double timed(const char* what, const std::function<void()>& work);
// The best of three runs, so a file is in the page cache for each as for the others.
double bestOfThree(const char* what, const std::function<void()>& work);

} // namespace GeneratedCollection
