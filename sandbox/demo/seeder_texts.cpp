// The words of the demo world.
#include "seeder.h"

const QList<Seeder::Person> &Seeder::people()
{
    static const QList<Person> list = {
        {"demo", "Demo User", "Helsinki", "Trying out Zirrup.", "http://example.org/demo"},
        {"alice", "Alice Liddell", "Oxford", "Curious about everything. Maps, tea and Qt.",
         "http://example.org/alice"},
        {"bob", "Bob Baker", "Berlin", "Bread by day, C++ by night.", nullptr},
        {"carmen", "Carmen Ortega", "Madrid", "Photographer. Trains. Too many plants.",
         "http://example.net/carmen"},
        {"dmitri", "Dmitri Volkov", "Tallinn", "Compilers, chess and cold swims.", nullptr},
        {"emma", "Emma Lindqvist", "Stockholm", "UX designer. Sketching in the margins.",
         "http://example.com/emma"},
        {"farid", "Farid Haddad", "Montréal", "Maintainer of small useful things.", nullptr},
        {"grace", "Grace Okafor", "Lagos", "Data, music and long walks.",
         "http://example.org/grace"},
        {"hiro", "Hiroshi Tanaka", "Tokyo", "Embedded Linux. Ramen reviews.", nullptr},
        {"ines", "Inês Carvalho", "Lisbon", "Writing about cities and the people in them.",
         "http://example.net/ines"},
        {"jonas", "Jonas Becker", "Munich", "Private notes of a public transport nerd.", nullptr},
        {"kaisa", "Kaisa Virtanen", "Tampere", "Sauna, more sauna, and Qt.", nullptr},
        {"leo", "Leo Marchetti", "Milan", "Hot takes, served cold.", nullptr},
    };
    return list;
}

const QList<Seeder::Person> &Seeder::readers()
{
    static const QList<Person> list = {
        {"aino", "Aino Korhonen", "Helsinki", "Reads more than she writes.", nullptr},
        {"bruno", "Bruno Costa", "Lisbon", "Listening in.", nullptr},
        {"chloe", "Chloé Martin", "Paris", "Here for the Qt news.", nullptr},
        {"daniel", "Daniel Weber", "Berlin", "Lurker since 2009.", nullptr},
        {"elif", "Elif Demir", "Berlin", "Coffee, code, quiet.", nullptr},
        {"felix", "Felix Braun", "Munich", "Mostly reading.", nullptr},
        {"greta", "Greta Nilsson", "Stockholm", "Collecting good links.", nullptr},
        {"hanna", "Hanna Mäkinen", "Tampere", "Trams and tea.", nullptr},
        {"ivan", "Ivan Petrov", "Tallinn", "Following the builds.", nullptr},
        {"julia", "Julia Rossi", "Milan", "Designer on a break.", nullptr},
        {"karl", "Karl Svensson", "Stockholm", "Quiet reader.", nullptr},
        {"lotta", "Lotta Laine", "Turku", "Learning QML.", nullptr},
        {"mikko", "Mikko Heikkinen", "Oulu", "Northern lights and C++.", nullptr},
        {"nora", "Nora Berg", "Oslo", "Just here to read.", nullptr},
    };
    return list;
}

const QStringList &Seeder::tweetTexts()
{
    static const QStringList texts = {
        QStringLiteral("Morning coffee and a fresh build of the app. #coffee #qt"),
        QStringLiteral(
            "Finally moved my side project to Qt 6. The QML tooling is so much nicer now. #qt"),
        QStringLiteral(
            "Anyone else testing the new property bindings? They make models a joy. #qt #qml"),
        QStringLiteral("Wrote up how we profile list views on small screens: "
                       "http://example.org/blog/list-views #qt"),
        QStringLiteral("The light over the harbour this evening http://zirpic.net/Hk3p9"),
        QStringLiteral("Snow in Helsinki again. The trams are still on time, somehow. #helsinki"),
        QStringLiteral(
            "Helsinki in December: dark at three, bright with lights by four. #helsinki"),
        QStringLiteral("Reading list for the weekend: http://example.org/reading/winter-2026"),
        QStringLiteral("New sourdough starter is alive! Named it Herbert. #bread"),
        QStringLiteral("Rye bread, butter, salt. That is the whole recipe for happiness. #bread"),
        QStringLiteral("Found this tiny cafe near the station, best cardamom bun so far. #coffee"),
        QStringLiteral("Took the night train instead of flying. No regrets. #trains"),
        QStringLiteral("Platform 4, 06:12, fog everywhere. Looks like a painting "
                       "http://snapzr.com/fog0612 #trains"),
        QStringLiteral("Tip: keep your delegates light and your models honest. #qml"),
        QStringLiteral("Our release notes are up: http://example.org/releases/3.2 #opensource"),
        QStringLiteral(
            "Merged a patch from a first-time contributor today. Best feeling. #opensource"),
        QStringLiteral(
            "If your build takes longer than your coffee, get more coffee. Or ccache. #coffee"),
        QStringLiteral("Sauna at 80 degrees, then straight into the lake. Still alive. #sauna"),
        QStringLiteral("Hot take: the best sauna is the one you have time for. #sauna"),
        QStringLiteral(
            "Sketched three versions of the compose screen. The simplest one wins again. #design"),
        QStringLiteral("Good design is mostly deleting things. #design"),
        QStringLiteral(
            "Typography test page, please ignore: http://example.com/type/specimen #design"),
        QStringLiteral("Chess club tonight. Lost twice to a twelve-year-old. #chess"),
        QStringLiteral("That endgame took me forty minutes and I still drew it. #chess"),
        QStringLiteral("Ramen review #14: rich broth, perfect egg, way too loud music. 4/5 #ramen"),
        QStringLiteral(
            "Cross-compiling for the board again. The toolchain and I are not friends today."),
        QStringLiteral("Flashed the new image to the dev board. Boots in 2.1 seconds. #embedded"),
        QStringLiteral("Long walk along the river, thinking about data pipelines and ducks."),
        QStringLiteral("Playlist for deep work: http://example.org/music/deep-work"),
        QStringLiteral("Lisbon hills are a workout disguised as sightseeing. #lisbon"),
        QStringLiteral("Wrote 800 words about how neighbourhoods change. Deleted 600. Progress."),
        QStringLiteral("Tallinn old town at night http://imgzr.io/tln-night #travel"),
        QStringLiteral("Packing for the conference. Three laptops, one pair of socks. #travel"),
        QStringLiteral("Slides for my talk on small binaries are online: "
                       "http://example.org/talks/small-binaries #qt"),
        QStringLiteral("The bus was late, the tram was early, I walked. #commute"),
        QStringLiteral("Timetables are poetry if you read them right. #trains"),
        QStringLiteral("Plants watered, code reviewed, inbox at zero. Suspicious."),
        QStringLiteral("New camera lens arrived. Everything is bokeh now. #photography"),
        QStringLiteral("Golden hour on the rooftops http://zirpic.net/Rf8Tq #photography"),
        QStringLiteral("Market day: oranges, bread and far too many olives."),
        QStringLiteral("Benchmarks say 12% faster. My eyes say the same. #qt"),
        QStringLiteral("Who else keeps a notebook of bugs they are proud of fixing?"),
        QStringLiteral("Learning to say no to features is the real senior skill."),
        QStringLiteral("Reading the old Unix papers again. Still the best writing on software."),
        QStringLiteral("Helsinki library Oodi is my favourite office. #helsinki"),
        QStringLiteral("Designing for thumbs is a different sport. #design #mobile"),
        QStringLiteral(
            "The app now remembers where you were reading. Small thing, big relief. #zirrup"),
        QStringLiteral("Trying Zirrup on the desktop, feels right at home. #zirrup"),
        QStringLiteral("Dark mode debate at lunch. Nobody won. #design"),
        QStringLiteral("A <b>bold</b> claim: HTML in tweets should stay text & nothing else."),
        QStringLiteral("Tea > coffee. Fight me. #coffee"),
        QStringLiteral("Cardamom & cinnamon buns, the Nordic answer to everything. #bread"),
        QStringLiteral(
            "Running the whole test suite before lunch like a responsible adult. #opensource"),
        QStringLiteral("First snow of the season in Tampere. Kids already sledding. #sauna"),
        QStringLiteral("Lake swim at 2 degrees. The sauna afterwards was earned. #sauna"),
        QStringLiteral("Montréal bagels versus Berlin pretzels, a thread nobody asked for."),
        QStringLiteral("Map nerd moment: old city plans overlaid on today's streets "
                       "http://example.net/maps/overlay"),
        QStringLiteral("Quiet Sunday. Soup, book, window, rain."),
        QStringLiteral("Rebased forty commits without a single conflict. Buying a lottery ticket."),
        QStringLiteral(
            "Sunrise from the office, worth the early start http://snapzr.com/sunrise-office"),
        QStringLiteral("Ramen review #15: tiny place, huge flavour, cash only. 5/5 #ramen"),
        QStringLiteral("Stockholm archipelago ferry, laptop closed for once. #travel"),
        QStringLiteral("Night market photos are up http://zirpic.net/NightMkt #photography"),
        QStringLiteral("Writing tests first for once. It is annoying how well that works. #qt"),
        QStringLiteral("Lagos traffic gives you time to think. Today I thought about caching."),
        QStringLiteral("Grid layout finally clicked for me. Thanks to everyone who answered. #qml"),
        QStringLiteral("Long day. Good day. #coffee"),
        QStringLiteral("Reminder that accessibility is a feature for everyone. #design"),
        QStringLiteral(
            "Fixed a bug that only happened on Tuesdays. It was a time zone. Of course it was."),
        QStringLiteral("New blog post: seven small things that make a timeline feel fast "
                       "http://example.org/blog/fast-timelines"),
        QStringLiteral("Espresso number three. Productivity number questionable. #coffee"),
        QStringLiteral(
            "The harbour is frozen enough to walk on. I will not be walking on it. #helsinki"),
        QStringLiteral(
            "Tried the new ramen place by the station. Broth was okay, noodles great. #ramen"),
        QStringLiteral("Shipping the release tonight. Wish us luck. #opensource #qt"),
        QStringLiteral("Weekend plan: bake, read, maybe sauna. Definitely sauna. #sauna #bread"),
    };
    return texts;
}

const QStringList &Seeder::replyTexts()
{
    static const QStringList texts = {
        QStringLiteral("Totally agree!"),
        QStringLiteral("Ha, same here."),
        QStringLiteral("Great photo!"),
        QStringLiteral("Where is this?"),
        QStringLiteral("Saving this for later, thanks."),
        QStringLiteral("Congratulations!"),
        QStringLiteral("Not sure I agree, but I like the spirit."),
        QStringLiteral("Can you share the recipe?"),
        QStringLiteral("This made my day."),
        QStringLiteral("Let's meet up next time you are in town."),
        QStringLiteral("How did you fix it in the end?"),
        QStringLiteral("Count me in."),
        QStringLiteral("That sounds like a lot of work. Worth it?"),
        QStringLiteral("You should write a blog post about this."),
        QStringLiteral("Same bug bit me last week!"),
        QStringLiteral("Beautiful."),
        QStringLiteral("Okay, now I want ramen."),
        QStringLiteral("Next time bring an extra pair of socks."),
        QStringLiteral("I have questions. Many questions."),
        QStringLiteral("Thanks for the tip!"),
    };
    return texts;
}

const QList<QPair<QString, QStringList>> &Seeder::conversations()
{
    static const QList<QPair<QString, QStringList>> list = {
        {QStringLiteral("alice"),
         {QStringLiteral("<Hi! Are you coming to the meetup on Thursday?"),
          QStringLiteral(">Yes! I'll bring the demo on my laptop."),
          QStringLiteral("<Great. Lunch at 12 before that? <3"),
          QStringLiteral(">Lunch at 12 works. The usual place?"),
          QStringLiteral("<The usual place. See you there."),
          QStringLiteral("<Also, here are my slides: http://example.org/alice/slides")}},
        {QStringLiteral("bob"),
         {QStringLiteral("<I baked too much bread again. Want a loaf?"),
          QStringLiteral(">Always. Rye?"), QStringLiteral("<Rye & sunflower seeds."),
          QStringLiteral(">You are a hero."),
          QStringLiteral("<Leaving it with your neighbour at 6.")}},
        {QStringLiteral("carmen"),
         {QStringLiteral(">Your train photos are amazing. Which lens do you use?"),
          QStringLiteral("<Thanks! Mostly a 35 mm prime."),
          QStringLiteral(">Noted. My wallet is nervous."), QStringLiteral("<Ha. Rent one first.")}},
        {QStringLiteral("kaisa"),
         {QStringLiteral("<Sauna on Saturday?"), QStringLiteral(">Yes please. What time?"),
          QStringLiteral("<Five. Bring a towel and the good mood."), QStringLiteral(">Will do."),
          QStringLiteral(
              "<And the Qt question you had: check the model tester, it finds those bugs."),
          QStringLiteral(">It found two already. Thank you!")}},
        {QStringLiteral("hiro"),
         {QStringLiteral(">How did the board bring-up go?"),
          QStringLiteral("<Booting! Display still upside down."),
          QStringLiteral(">A feature, surely."), QStringLiteral("<Marketing says yes.")}},
    };
    return list;
}
