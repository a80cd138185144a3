// An array of unknown origin ranked by the layout guess, and the best
// guess drawn. Input: the bytes (at most layout_guess.options' -max_len).
#include "FuzzSupport.h"

#include "logic/decode/LayoutGuess.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    if (size > 4096) // the guess tries every size: bound the time a run takes
        return 0;
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(bytes);
    for (qsizetype i = 1; i < ranked.size(); ++i)
        FuzzSupport::check(ranked.at(i - 1).score() <= ranked.at(i).score(), "the guesses are out of order");
    if (ranked.isEmpty())
        return 0;
    const LayoutGuess::Candidate &best = ranked.first();
    const QImage picture = LayoutGuess::pictureOf(bytes, best);
    FuzzSupport::check(picture.size() == QSize(best.width, best.height), "the picture is not the guessed size");
    FuzzSupport::check(LayoutGuess::pixelChanges(picture) == best.changes, "the picture is not the one ranked");
    return 0;
}
