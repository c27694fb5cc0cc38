// Writes 10,000 cards and reads them back, in each version; prints "measure<TAB>value<TAB>unit<TAB>goal" rows.
#include "vCard/vCard.h"

#include <QElapsedTimer>

#include <cstdio>

static const int cardCount = 10000;

static vCard sampleCard(int number)
{
    vCard card;
    const QString n = QString::number(number);
    card.addProperty(vCardProperty::createName("Ann " + n, "Lee", "", "Dr.", ""));
    card.addProperty(vCardProperty("FN", "Ann Lee " + n));
    card.addProperty(vCardProperty("TEL", "+41 44 555 " + n,
                                   {vCardParam(vCardParam::Type, "home"), vCardParam(vCardParam::Type, "voice")}));
    card.addProperty(vCardProperty("EMAIL", "ann" + n + "@example.org", {vCardParam(vCardParam::Type, "internet")}));
    card.addProperty(vCardProperty::createAddress("Hauptstrasse " + n, "Zurich", "ZH", "8000", "Switzerland"));
    card.addProperty(vCardProperty("NOTE", QString::fromUtf8("Met at the fair; likes tea, coffee\nand Grüße")));
    card.addProperty(vCardProperty::createGeographicPosition(47.376886, 8.541694));
    return card;
}

int main()
{
    QList<vCard> cards;
    for (int i = 0; i < cardCount; ++i)
        cards << sampleCard(i);

    for (const int version : {int(vCard::Version21), int(vCard::Version30)}) {
        const char *name = version == vCard::Version21 ? "2.1" : "3.0";
        QElapsedTimer timer;
        timer.start();
        QByteArray text;
        for (const vCard &card : cards) {
            text += card.toByteArray(version);
            text += '\n';
        }
        const double writeSeconds = timer.nsecsElapsed() / 1e9;
        timer.restart();
        const QList<vCard> read = vCard::fromByteArray(text);
        const double readSeconds = timer.nsecsElapsed() / 1e9;
        if (read.size() != cardCount || read.last().properties() != cards.last().properties()) {
            std::fprintf(stderr, "bench_vCard: %s round trip failed\n", name);
            return 1;
        }
        std::printf("vCard %s write 10,000 cards\t%.0f\tcards/s\t-\n", name, cardCount / writeSeconds);
        std::printf("vCard %s read 10,000 cards\t%.0f\tcards/s\t-\n", name, cardCount / readSeconds);
        std::printf("vCard %s write and read back\t%.0f\tcards/s\t-\n", name, cardCount / (writeSeconds + readSeconds));
    }
    return 0;
}
