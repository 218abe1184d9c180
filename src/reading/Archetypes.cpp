#include "reading/Archetypes.h"

namespace modStarbond
{

std::array<ArchetypeRecord, 10> ArchetypeTable{};

namespace
{

// Rows 7 to 9 are never reached by a sun sign; their long texts are "NA".
const std::array<ArchetypeRecord, 10> kArchetypes{{
    {
        .PlanetName = "Sun",
        .Archetype = "The King",
        .Characteristics = "You like to be the center of attraction and in the limelight. You crave attention and "
                           "enjoy publicity, and you are at your best when all eyes are on you. You carry natural "
                           "authority and you make a good leader. You are motivated and determined, yet you are "
                           "also helpful and socially aware.",
        .AlsoKnownAs = "The Leader, The Star",
        .Keywords = "Happy, Enthusiastic, Confident, Positive",
        .Romancing = "The Sun Person loves to be worshiped. They crave attention and flattery, so do not "
                     "hold back your compliments. Admire their enthusiasm and tell them it inspires you. "
                     "Put up with their grand plans, even the ones that seem far-fetched, and help them "
                     "reach their goals. In return they will make you feel special.",
        .Ruler = "Leo",
        .TarotCard = "The Sun",
        .Detriment = "Aquarius",
    },
    {
        .PlanetName = "Moon",
        .Archetype = "The Queen",
        .Characteristics = "You are the silent types who think before they talk. You are caring and sensitive, "
                           "and you are always there to help people in need. You may be spiritually inclined, and "
                           "you often have creative and artistic interests that you pursue quietly.",
        .AlsoKnownAs = "The Feeler, The Nurturer",
        .Keywords = "Emotional, Clairvoyant, Creative, Sensitive",
        .Romancing = "You may have to take the first step in this relationship. They do feel for you, but "
                     "they keep it to themselves until they are sure. Once they open up they are devoted "
                     "and will do everything for you. They can be moody and sentimental, so be patient with "
                     "their ups and downs. Never forget their birthdays and anniversaries, and give them "
                     "plenty of hugs and cuddles to show how much you care.",
        .Ruler = "Cancer",
        .TarotCard = "The High Priestess",
        .Detriment = "Capricorn",
    },
    {
        .PlanetName = "Mars",
        .Archetype = "The Warrior",
        .Characteristics = "You have a lot of energy and enthusiasm to do things. You are always on the move, and "
                           "as soon as one task is done you are already heading towards the next big project. You "
                           "love challenges and never shy away from them, and it is the tension of a hard task "
                           "that keeps you going.",
        .AlsoKnownAs = "The Go-Getter, The Doer",
        .Keywords = "Bold, Passionate, Adventurous, Focused",
        .Romancing = "The Mars person is always looking for challenges. In the relationship they will be "
                     "the dominating half, so let them lead. They love physical challenges, exercise and "
                     "adventure, and they expect you to keep up. Plan long treks and wild stuff, and you "
                     "will keep their interest and win their heart.",
        .Ruler = "Aries, Scorpio",
        .TarotCard = "The Tower",
        .Detriment = "Libra (Taurus)",
    },
    {
        .PlanetName = "Venus",
        .Archetype = "The Diplomat",
        .Characteristics = "You are the fun people who love enjoying and partying at a moment's notice. You laugh "
                           "a lot and you are always happy. You love beautiful things such as clothes, jewellery, "
                           "fashion, art and music, and you enjoy a lavish lifestyle whenever you can.",
        .AlsoKnownAs = "The Lover, The Artist",
        .Keywords = "Loving, Warm, Affectionate, Artistic, Sensual",
        .Romancing = "They are very sensitive and emotional. Do not overburden them with commitments, as "
                     "too many demands will only drive them away. They are romantic at heart and love "
                     "expensive gifts, so spoil them when you can. Admire their beauty and their taste, and "
                     "accept that they like to live in a dreamland of their own. Be ready to keep pace with "
                     "their hectic social life and their many friends.",
        .Ruler = "Taurus And Libra",
        .TarotCard = "The Empress",
        .Detriment = "Scorpio And Aries",
    },
    {
        .PlanetName = "Mercury",
        .Archetype = "The Prince",
        .Characteristics = "You are very methodical and go by the facts more than the figures. You analyse every "
                           "aspect before you make a decision. You are an intellectual at heart, and you believe "
                           "in the math more than in people and their feelings, which can make you seem cool.",
        .AlsoKnownAs = "The Bean Counter, The Thinker",
        .Keywords = "Intellectual, Communicative, Spiritual",
        .Romancing = "They are very meticulous people. They weigh the pros and cons of everything and "
                     "expect you to give reasons for what you say and do. They are well read on every "
                     "subject from politics to technology, so keep up with the latest news if you want to "
                     "hold a conversation with them. Do not expect grand romantic gestures; they would "
                     "rather be trustworthy than romantic. They want intellectual partners who can match "
                     "their minds and share their love of learning.",
        .Ruler = "Gemini And virgo",
        .TarotCard = "The Magician",
        .Detriment = "Sagittarius And Pisces",
    },
    {
        .PlanetName = "Jupiter",
        .Archetype = "The Counselor",
        .Characteristics = "You will know the answers to all the questions irrespective of whether you are asked "
                           "or not. You are positive and optimistic, and you see potential even in the worst "
                           "projects where others see none. Your attitude to life sets an example to others and "
                           "lifts those around you.",
        .AlsoKnownAs = "The Cheerleader, The Guru",
        .Keywords = "Decisive, Respected, Wise, Easy Going",
        .Romancing = "You will be caught up in all their humanitarian and heal the world projects. Show "
                     "interest in their projects and hobbies, and they will return the favour. They are "
                     "always ready to help solve your problems. They take losses in their stride and share "
                     "the best of what they have with the people they love.",
        .Ruler = "Sagittarius And Pisces",
        .TarotCard = "The Wheel",
        .Detriment = "Gemini And Virgo",
    },
    {
        .PlanetName = "Saturn",
        .Archetype = "The Servant",
        .Characteristics = "You are very reliable and solid people. You are not taken in by sob stories. You are "
                           "disciplined, hard-working and practical, and you get things done. For you life is "
                           "black or white, with little grey in between.",
        .AlsoKnownAs = "The Perfectionist, The Curmudgeon",
        .Keywords = "Patient, Diplomatic, Reliable, Practical",
        .Romancing = "They are very difficult to romance and love but only till they get started. They are "
                     "slow to start and analyse a relationship from all angles before they commit. Do not "
                     "bother with flowers or chocolates; they are practical and sensible people who see "
                     "little point in such things. Give them space and privacy, and they will reward your "
                     "patience with steady and loyal love.",
        .Ruler = "Capricorn",
        .TarotCard = "The World",
        .Detriment = "Cancer",
    },
    {
        .PlanetName = "Uranus",
        .Archetype = "The Revolutionary",
        .Characteristics = "NA",
        .AlsoKnownAs = "The Maverick, The Liberator",
        .Keywords = "Uranus",
        .Romancing = "NA",
        .Ruler = "Aquarius",
        .TarotCard = "The Fool, The Star (Aquarius)",
        .Detriment = "Leo",
    },
    {
        .PlanetName = "Neptune",
        .Archetype = "The Visionary",
        .Characteristics = "NA",
        .AlsoKnownAs = "The Dreamer, The Victim",
        .Keywords = "Neptune",
        .Romancing = "NA",
        .Ruler = "Pisces",
        .TarotCard = "The Hangman",
        .Detriment = "Virgo",
    },
    {
        .PlanetName = "Pluto",
        .Archetype = "The Transformer",
        .Characteristics = "NA",
        .AlsoKnownAs = "The Soul Essence",
        .Keywords = "Pluto",
        .Romancing = "NA",
        .Ruler = "Scorpio",
        .TarotCard = "The Fool, The Death (Scorpio)",
        .Detriment = "Taurus",
    },
}};

} // namespace

void LoadArchetypes()
{
    ArchetypeTable = kArchetypes;
}

const ArchetypeRecord *ArchetypeOf(PlanetCode code)
{
    if (code < 0 || code >= static_cast<PlanetCode>(ArchetypeTable.size()))
        return nullptr;
    return &ArchetypeTable[static_cast<std::size_t>(code)];
}

} // namespace modStarbond
