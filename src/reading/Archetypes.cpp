#include "reading/Archetypes.h"

#include <array>

namespace reading
{
namespace
{

// In the order of Planet. Uranus, Neptune and Pluto rule no sign; their long
// texts are "NA".
constexpr std::array<Archetype, 10> Archetypes{{
    {
        .planetName = "Sun",
        .archetype = "The King",
        .characteristics = "You like to be the center of attraction and in the limelight. You crave attention and "
                           "enjoy publicity, and you are at your best when all eyes are on you. You carry natural "
                           "authority and you make a good leader. You are motivated and determined, yet you are "
                           "also helpful and socially aware.",
        .alsoKnownAs = "The Leader, The Star",
        .keywords = "Happy, Enthusiastic, Confident, Positive",
        .romancing = "The Sun Person loves to be worshiped. They crave attention and flattery, so do not "
                     "hold back your compliments. Admire their enthusiasm and tell them it inspires you. "
                     "Put up with their grand plans, even the ones that seem far-fetched, and help them "
                     "reach their goals. In return they will make you feel special.",
        .ruler = "Leo",
        .tarotCard = "The Sun",
        .detriment = "Aquarius",
    },
    {
        .planetName = "Moon",
        .archetype = "The Queen",
        .characteristics = "You are the silent types who think before they talk. You are caring and sensitive, "
                           "and you are always there to help people in need. You may be spiritually inclined, and "
                           "you often have creative and artistic interests that you pursue quietly.",
        .alsoKnownAs = "The Feeler, The Nurturer",
        .keywords = "Emotional, Clairvoyant, Creative, Sensitive",
        .romancing = "You may have to take the first step in this relationship. They do feel for you, but "
                     "they keep it to themselves until they are sure. Once they open up they are devoted "
                     "and will do everything for you. They can be moody and sentimental, so be patient with "
                     "their ups and downs. Never forget their birthdays and anniversaries, and give them "
                     "plenty of hugs and cuddles to show how much you care.",
        .ruler = "Cancer",
        .tarotCard = "The High Priestess",
        .detriment = "Capricorn",
    },
    {
        .planetName = "Mars",
        .archetype = "The Warrior",
        .characteristics = "You have a lot of energy and enthusiasm to do things. You are always on the move, and "
                           "as soon as one task is done you are already heading towards the next big project. You "
                           "love challenges and never shy away from them, and it is the tension of a hard task "
                           "that keeps you going.",
        .alsoKnownAs = "The Go-Getter, The Doer",
        .keywords = "Bold, Passionate, Adventurous, Focused",
        .romancing = "The Mars person is always looking for challenges. In the relationship they will be "
                     "the dominating half, so let them lead. They love physical challenges, exercise and "
                     "adventure, and they expect you to keep up. Plan long treks and wild stuff, and you "
                     "will keep their interest and win their heart.",
        .ruler = "Aries, Scorpio",
        .tarotCard = "The Tower",
        .detriment = "Libra (Taurus)",
    },
    {
        .planetName = "Venus",
        .archetype = "The Diplomat",
        .characteristics = "You are the fun people who love enjoying and partying at a moment's notice. You laugh "
                           "a lot and you are always happy. You love beautiful things such as clothes, jewellery, "
                           "fashion, art and music, and you enjoy a lavish lifestyle whenever you can.",
        .alsoKnownAs = "The Lover, The Artist",
        .keywords = "Loving, Warm, Affectionate, Artistic, Sensual",
        .romancing = "They are very sensitive and emotional. Do not overburden them with commitments, as "
                     "too many demands will only drive them away. They are romantic at heart and love "
                     "expensive gifts, so spoil them when you can. Admire their beauty and their taste, and "
                     "accept that they like to live in a dreamland of their own. Be ready to keep pace with "
                     "their hectic social life and their many friends.",
        .ruler = "Taurus And Libra",
        .tarotCard = "The Empress",
        .detriment = "Scorpio And Aries",
    },
    {
        .planetName = "Mercury",
        .archetype = "The Prince",
        .characteristics = "You are very methodical and go by the facts more than the figures. You analyse every "
                           "aspect before you make a decision. You are an intellectual at heart, and you believe "
                           "in the math more than in people and their feelings, which can make you seem cool.",
        .alsoKnownAs = "The Bean Counter, The Thinker",
        .keywords = "Intellectual, Communicative, Spiritual",
        .romancing = "They are very meticulous people. They weigh the pros and cons of everything and "
                     "expect you to give reasons for what you say and do. They are well read on every "
                     "subject from politics to technology, so keep up with the latest news if you want to "
                     "hold a conversation with them. Do not expect grand romantic gestures; they would "
                     "rather be trustworthy than romantic. They want intellectual partners who can match "
                     "their minds and share their love of learning.",
        .ruler = "Gemini And virgo",
        .tarotCard = "The Magician",
        .detriment = "Sagittarius And Pisces",
    },
    {
        .planetName = "Jupiter",
        .archetype = "The Counselor",
        .characteristics = "You will know the answers to all the questions irrespective of whether you are asked "
                           "or not. You are positive and optimistic, and you see potential even in the worst "
                           "projects where others see none. Your attitude to life sets an example to others and "
                           "lifts those around you.",
        .alsoKnownAs = "The Cheerleader, The Guru",
        .keywords = "Decisive, Respected, Wise, Easy Going",
        .romancing = "You will be caught up in all their humanitarian and heal the world projects. Show "
                     "interest in their projects and hobbies, and they will return the favour. They are "
                     "always ready to help solve your problems. They take losses in their stride and share "
                     "the best of what they have with the people they love.",
        .ruler = "Sagittarius And Pisces",
        .tarotCard = "The Wheel",
        .detriment = "Gemini And Virgo",
    },
    {
        .planetName = "Saturn",
        .archetype = "The Servant",
        .characteristics = "You are very reliable and solid people. You are not taken in by sob stories. You are "
                           "disciplined, hard-working and practical, and you get things done. For you life is "
                           "black or white, with little grey in between.",
        .alsoKnownAs = "The Perfectionist, The Curmudgeon",
        .keywords = "Patient, Diplomatic, Reliable, Practical",
        .romancing = "They are very difficult to romance and love but only till they get started. They are "
                     "slow to start and analyse a relationship from all angles before they commit. Do not "
                     "bother with flowers or chocolates; they are practical and sensible people who see "
                     "little point in such things. Give them space and privacy, and they will reward your "
                     "patience with steady and loyal love.",
        .ruler = "Capricorn",
        .tarotCard = "The World",
        .detriment = "Cancer",
    },
    {
        .planetName = "Uranus",
        .archetype = "The Revolutionary",
        .characteristics = "NA",
        .alsoKnownAs = "The Maverick, The Liberator",
        .keywords = "Uranus",
        .romancing = "NA",
        .ruler = "Aquarius",
        .tarotCard = "The Fool, The Star (Aquarius)",
        .detriment = "Leo",
    },
    {
        .planetName = "Neptune",
        .archetype = "The Visionary",
        .characteristics = "NA",
        .alsoKnownAs = "The Dreamer, The Victim",
        .keywords = "Neptune",
        .romancing = "NA",
        .ruler = "Pisces",
        .tarotCard = "The Hangman",
        .detriment = "Virgo",
    },
    {
        .planetName = "Pluto",
        .archetype = "The Transformer",
        .characteristics = "NA",
        .alsoKnownAs = "The Soul Essence",
        .keywords = "Pluto",
        .romancing = "NA",
        .ruler = "Scorpio",
        .tarotCard = "The Fool, The Death (Scorpio)",
        .detriment = "Taurus",
    },
}};

} // namespace

const Archetype &archetypeOf(Planet planet)
{
    return Archetypes[static_cast<std::size_t>(planet)];
}

} // namespace reading
