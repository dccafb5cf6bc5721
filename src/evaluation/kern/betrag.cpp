#include "evaluation/kern/betrag.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace trevo::evaluation {

Cent centVon(const engine::Value& v)
{
    if (v.isNull()) return 0;
    return static_cast<Cent>(std::llround(v.toNumber() * 100.0));
}

Cent centMal(double anzahl, Cent preis)
{
    return static_cast<Cent>(std::llround(static_cast<long double>(anzahl) * static_cast<long double>(preis)));
}

engine::Value alsWert(Cent c) { return engine::Value::number(alsZahl(c)); }
double alsZahl(Cent c) { return static_cast<double>(c) / 100.0; }

Cent Runden(const Rundung& r, Cent zaehler, int64_t nenner)
{
    // x = zaehler / (100 * nenner) units; x*m + a = (zaehler*m + a100*nenner) / (100*nenner),
    // with a100 = 99 or 50. The quotient of whole numbers is cut towards zero as T does.
    const int64_t m = r.aufZehntel ? 10 : 100;
    const int64_t a100 = r.immerAufrunden ? 99 : 50;
    const int64_t t = (zaehler * m + a100 * nenner) / (100 * nenner);
    return t * (100 / m);
}

namespace {

std::string ziffern(Cent c, int nachkomma)
{
    const bool negativ = c < 0;
    const uint64_t betrag = negativ ? uint64_t(-(c + 1)) + 1 : uint64_t(c);
    std::string s = std::to_string(betrag / 100);
    const unsigned rest = unsigned(betrag % 100);
    if (nachkomma == 2) {
        char buf[4];
        std::snprintf(buf, sizeof buf, ".%02u", rest);
        s += buf;
    } else if (rest != 0) {
        char buf[4];
        std::snprintf(buf, sizeof buf, rest % 10 ? ".%02u" : ".%u", rest % 10 ? rest : rest / 10);
        s += buf;
    }
    return negativ ? "-" + s : s;
}

} // namespace

std::string formatiert(Cent c, int breite, bool linksbuendig)
{
    std::string s = ziffern(c, 2);
    if (static_cast<int>(s.size()) < breite) {
        const std::string fuell(static_cast<size_t>(breite) - s.size(), ' ');
        s = linksbuendig ? s + fuell : fuell + s;
    }
    return s;
}

std::string kuerzesterText(Cent c) { return ziffern(c, -1); }

std::string mitKomma(std::string text)
{
    for (char& ch : text)
        if (ch == '.') ch = ',';
    return text;
}

} // namespace trevo::evaluation
