// make-sample: writes a synthetic DAE export folder for a fictional Basque secondary school,
// "IES Errekaldeko Institutua". Every name in it is invented.
//
//   make-sample [--scale N] [--private] --out DIR
//
// The same arguments give byte-identical files on every platform: the only source of variety is
// a fixed 64-bit LCG with our own range arithmetic (no <random> distributions, whose results differ
// between standard libraries), and nothing depends on time, locale or hash order.
//
// DAE files are Windows-1252 and hold all their fixed-length records on the first line, so every
// file is written as one line followed by CR LF. Texts are kept here as UTF-8 literals with \u
// escapes (the source stays ASCII) and converted to single Windows-1252 bytes when written.
//
// Scale N repeats the school's structure N times ("sedes"); every DAE code of a repetition is
// its own, so the data stay valid: the groups of a repetition take the specialities, subjects,
// rooms and tutors of that repetition only.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Bytes and records

// Converts UTF-8 to Windows-1252. Only U+0020..U+007E and U+00A0..U+00FF are needed (Castellano
// and Euskera letters, the ordinal sign); anything else is a mistake in this file.
std::string cp1252(std::u8string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0x20 && lead < 0x7F) {
      out.push_back(static_cast<char>(lead));
      continue;
    }
    if ((lead & 0xE0) != 0xC0 || i + 1 >= text.size()) {
      throw std::logic_error("text outside Latin-1 in the sample data");
    }
    const auto trail = static_cast<unsigned char>(text[++i]);
    const unsigned code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
    if ((trail & 0xC0) != 0x80 || code < 0xA0 || code > 0xFF) {
      throw std::logic_error("text outside Latin-1 in the sample data");
    }
    out.push_back(static_cast<char>(code));
  }
  return out;
}

std::string zeroPadded(unsigned value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() > width) {
    throw std::logic_error("number " + digits + " does not fit in " + std::to_string(width));
  }
  return std::string(width - digits.size(), '0') + digits;
}

// One fixed-length DAE record, built field by field; a value that does not fit is a bug here,
// never silently cut.
class Record {
 public:
  Record& text(std::string_view value, std::size_t width) {
    if (value.size() > width) {
      throw std::logic_error("'" + std::string(value) + "' is longer than " + std::to_string(width));
    }
    m_bytes.append(value);
    m_bytes.append(width - value.size(), ' ');
    return *this;
  }
  Record& text(std::u8string_view value, std::size_t width) { return text(cp1252(value), width); }
  Record& number(unsigned value, std::size_t width) { return text(zeroPadded(value, width), width); }
  Record& blanks(std::size_t width) { return text(std::string_view{}, width); }

  // Appends the record to a file's line after checking its length.
  void appendTo(std::string& line, std::size_t length) const {
    if (m_bytes.size() != length) {
      throw std::logic_error("record of " + std::to_string(m_bytes.size()) + " characters, " +
                             std::to_string(length) + " expected");
    }
    line += m_bytes;
  }

 private:
  std::string m_bytes;
};

// 64-bit LCG (Knuth's MMIX constants); the high bits are the good ones.
class Lcg {
 public:
  explicit Lcg(std::uint64_t seed) : m_state(seed) {}
  unsigned below(unsigned bound) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>((m_state >> 33) % bound);
  }
  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& items) {
    return items[below(static_cast<unsigned>(N))];
  }

 private:
  std::uint64_t m_state;
};

// ---------------------------------------------------------------------------------------------
// The school's fixed data

constexpr std::string_view kCentreCode = "014987";
constexpr std::string_view kAcademicYear = "2025";
// Positions 1-3 of the teachers and groups headers are not read by the converter.
constexpr std::string_view kHeaderPrefix = "001";
constexpr std::string_view kCurrentPlan = "2022";
constexpr unsigned kMaxScale = 300;  // keeps every generated code within its field

enum class Stage { Eso, Bachillerato };

struct LevelDef {
  Stage stage;
  std::string_view code;
  std::u8string_view cast, eusk, castShort, euskShort;
};

constexpr std::array kLevels{
    LevelDef{Stage::Eso, "0400", u8"Educaci\u00F3n Secundaria Obligatoria",
             u8"Derrigorrezko Bigarren Hezkuntza", u8"E.S.O.", u8"D.B.H."},
    LevelDef{Stage::Bachillerato, "0500", u8"Bachillerato", u8"Batxilergoa", u8"Bachillerato",
             u8"Batxilergoa"},
};

const LevelDef& levelOf(Stage stage) { return stage == Stage::Eso ? kLevels[0] : kLevels[1]; }

struct SubjectDef {
  std::string_view key;  // used only inside this program
  std::u8string_view cast, eusk, castShort, euskShort;
  std::string_view codCast, codEusk, type;
};

// Short codes collide on purpose (MAT, LCL/GAZ, ECO/EKO, GH in Euskera, MA1 in Euskera) so that the
// converter numbers them; "PIE" has no short codes, so its short name comes from its description;
// "TEA" has a double blank inside its descriptions.
constexpr std::array kSubjects{
    // ESO
    SubjectDef{"LCL", u8"Lengua Castellana y Literatura", u8"Gaztelania eta Literatura",
               u8"Lengua Castellana", u8"Gaztelania", "LCL", "GAZ", "0001"},
    SubjectDef{"LVL", u8"Lengua Vasca y Literatura", u8"Euskara eta Literatura", u8"Lengua Vasca",
               u8"Euskara", "LVL", "EUS", "0001"},
    SubjectDef{"MAT", u8"Matem\u00E1ticas", u8"Matematika", u8"Matem\u00E1ticas", u8"Matematika", "MAT",
               "MAT", "0001"},
    SubjectDef{"MATA", u8"Matem\u00E1ticas A", u8"Matematika A", u8"Matem\u00E1ticas A", u8"Matematika A",
               "MAT", "MATA", "0001"},
    SubjectDef{"MATB", u8"Matem\u00E1ticas B", u8"Matematika B", u8"Matem\u00E1ticas B", u8"Matematika B",
               "MAT", "MATB", "0001"},
    SubjectDef{"ING", u8"Primera Lengua Extranjera: Ingl\u00E9s", u8"Lehen Atzerriko Hizkuntza: Ingelesa",
               u8"Ingl\u00E9s", u8"Ingelesa", "ING", "ING", "0001"},
    SubjectDef{"GH", u8"Geograf\u00EDa e Historia", u8"Geografia eta Historia", u8"Geograf\u00EDa e Historia",
               u8"Geografia eta Hist.", "GH", "GH", "0001"},
    SubjectDef{"BG", u8"Biolog\u00EDa y Geolog\u00EDa", u8"Biologia eta Geologia",
               u8"Biolog\u00EDa y Geolog\u00EDa", u8"Biologia eta Geolog.", "BG", "BG", "0001"},
    SubjectDef{"FQ", u8"F\u00EDsica y Qu\u00EDmica", u8"Fisika eta Kimika", u8"F\u00EDsica y Qu\u00EDmica",
               u8"Fisika eta Kimika", "FQ", "FK", "0001"},
    SubjectDef{"EF", u8"Educaci\u00F3n F\u00EDsica", u8"Gorputz Hezkuntza", u8"Educaci\u00F3n F\u00EDsica",
               u8"Gorputz Hezkuntza", "EF", "GH", "0001"},
    SubjectDef{"TEC", u8"Tecnolog\u00EDa y Digitalizaci\u00F3n", u8"Teknologia eta Digitalizazioa",
               u8"Tecnolog\u00EDa", u8"Teknologia", "TYD", "TD", "0001"},
    SubjectDef{"MUS", u8"M\u00FAsica", u8"Musika", u8"M\u00FAsica", u8"Musika", "MUS", "MUS", "0001"},
    SubjectDef{"EPV", u8"Educaci\u00F3n Pl\u00E1stica, Visual y Audiovisual",
               u8"Hezkuntza Plastikoa, Bisuala eta Ikus-entzunezkoa", u8"Pl\u00E1stica", u8"Plastika", "EPVA",
               "HPBI", "0001"},
    SubjectDef{"REL", u8"Religi\u00F3n Cat\u00F3lica", u8"Erlijio Katolikoa", u8"Religi\u00F3n", u8"Erlijioa",
               "REL", "ERL", "0002"},
    SubjectDef{"TUT", u8"Tutor\u00EDa", u8"Tutoretza", u8"Tutor\u00EDa", u8"Tutoretza", "TUT", "TUT", "0003"},
    SubjectDef{"FRA", u8"Segunda Lengua Extranjera: Franc\u00E9s",
               u8"Bigarren Atzerriko Hizkuntza: Frantsesa", u8"Franc\u00E9s", u8"Frantsesa", "FRA", "FRA",
               "0002"},
    SubjectDef{"TEA", u8"Taller de  Teatro", u8"Antzerki  Tailerra", u8"Teatro", u8"Antzerkia", "TEA", "ANT",
               "0002"},
    SubjectDef{"PIE", u8"Proyecto de Innovaci\u00F3n Educativa", u8"Hezkuntza Berrikuntzako Proiektua",
               u8"Proyecto Innovaci\u00F3n", u8"Berrikuntza Proiek.", "", "", "0002"},
    SubjectDef{"LAT", u8"Lat\u00EDn", u8"Latina", u8"Lat\u00EDn", u8"Latina", "LAT", "LAT", "0002"},
    SubjectDef{"EEM", u8"Econom\u00EDa y Emprendimiento", u8"Ekonomia eta Ekintzailetza",
               u8"Econom\u00EDa y Empr.", u8"Ekonomia eta Ekintz.", "ECO", "EKO", "0002"},
    // Bachillerato
    SubjectDef{"LCL1", u8"Lengua Castellana y Literatura I", u8"Gaztelania eta Literatura I",
               u8"Lengua Castellana I", u8"Gaztelania I", "LCL", "GAZ", "0001"},
    SubjectDef{"LCL2", u8"Lengua Castellana y Literatura II", u8"Gaztelania eta Literatura II",
               u8"Lengua Castellana II", u8"Gaztelania II", "LCL", "GAZ", "0001"},
    SubjectDef{"LVL1", u8"Lengua Vasca y Literatura I", u8"Euskara eta Literatura I", u8"Lengua Vasca I",
               u8"Euskara I", "LVL1", "EUS1", "0001"},
    SubjectDef{"LVL2", u8"Lengua Vasca y Literatura II", u8"Euskara eta Literatura II", u8"Lengua Vasca II",
               u8"Euskara II", "LVL2", "EUS2", "0001"},
    SubjectDef{"ING1", u8"Primera Lengua Extranjera I: Ingl\u00E9s",
               u8"Lehen Atzerriko Hizkuntza I: Ingelesa", u8"Ingl\u00E9s I", u8"Ingelesa I", "ING1", "ING1",
               "0001"},
    SubjectDef{"ING2", u8"Primera Lengua Extranjera II: Ingl\u00E9s",
               u8"Lehen Atzerriko Hizkuntza II: Ingelesa", u8"Ingl\u00E9s II", u8"Ingelesa II", "ING2",
               "ING2", "0001"},
    SubjectDef{"FIL", u8"Filosof\u00EDa", u8"Filosofia", u8"Filosof\u00EDa", u8"Filosofia", "FIL", "FIL",
               "0001"},
    SubjectDef{"HFI", u8"Historia de la Filosof\u00EDa", u8"Filosofiaren Historia",
               u8"Historia Filosof\u00EDa", u8"Filosofiaren Hist.", "HFI", "FIH", "0001"},
    SubjectDef{"HES", u8"Historia de Espa\u00F1a", u8"Espainiako Historia", u8"HISTORIA DE ESPA\u00D1A",
               u8"Espainiako Historia", "HES", "EHI", "0001"},
    SubjectDef{"MA1", u8"Matem\u00E1ticas I", u8"Matematika I", u8"Matem\u00E1ticas I", u8"Matematika I",
               "MA1", "MA1", "0001"},
    SubjectDef{"MA2", u8"Matem\u00E1ticas II", u8"Matematika II", u8"Matem\u00E1ticas II", u8"Matematika II",
               "MA2", "MA2", "0001"},
    SubjectDef{"MCS1", u8"Matem\u00E1ticas Aplicadas a las Ciencias Sociales I",
               u8"Gizarte Zientziei Aplikatutako Matematika I", u8"Matem\u00E1ticas CCSS I",
               u8"Matematika GZ I", "MCS1", "GZM1", "0001"},
    SubjectDef{"MCS2", u8"Matem\u00E1ticas Aplicadas a las Ciencias Sociales II",
               u8"Gizarte Zientziei Aplikatutako Matematika II", u8"Matem\u00E1ticas CCSS II",
               u8"Matematika GZ II", "MCS2", "GZM2", "0001"},
    SubjectDef{"FIS", u8"F\u00EDsica", u8"Fisika", u8"F\u00EDsica", u8"Fisika", "FIS", "FIS", "0001"},
    SubjectDef{"QUI", u8"Qu\u00EDmica", u8"Kimika", u8"Qu\u00EDmica", u8"Kimika", "QUI", "KIM", "0001"},
    SubjectDef{"BIO", u8"Biolog\u00EDa", u8"Biologia", u8"Biolog\u00EDa", u8"Biologia", "BIO", "BIO", "0001"},
    SubjectDef{"DT1", u8"Dibujo T\u00E9cnico I", u8"Marrazketa Teknikoa I", u8"Dibujo T\u00E9cnico I",
               u8"Marrazketa Tekn. I", "DT1", "MT1", "0002"},
    SubjectDef{"DA1", u8"Dibujo Art\u00EDstico I", u8"Marrazketa Artistikoa I", u8"Dibujo Art\u00EDstico I",
               u8"Marrazketa Artist. I", "DA1", "MA1", "0002"},
    SubjectDef{"ECO", u8"Econom\u00EDa", u8"Ekonomia", u8"Econom\u00EDa", u8"Ekonomia", "ECO", "EKO", "0002"},
    SubjectDef{"HMC", u8"Historia del Mundo Contempor\u00E1neo", u8"Mundu Garaikideko Historia",
               u8"Historia Mundo Cont.", u8"Mundu Garaikideko H.", "HMC", "MGH", "0002"},
    SubjectDef{"EDMN", u8"Empresa y Dise\u00F1o de Modelos de Negocio",
               u8"Enpresa eta Negozio Ereduen Diseinua", u8"Empresa y Dise\u00F1o", u8"Enpresa eta Diseinua",
               "EDMN", "ENED", "0002"},
    SubjectDef{"HAR", u8"Historia del Arte", u8"Artearen Historia", u8"Historia del Arte",
               u8"Artearen Historia", "HAR", "AHI", "0002"},
    // Offered besides the common curriculum: optional subjects, support and split-group lessons,
    // which the timetable runs in parallel with other lessons of the group. ESO first.
    SubjectDef{"ATE", u8"Atenci\u00F3n Educativa", u8"Hezkuntza Arreta", u8"Atenci\u00F3n Educativa",
               u8"Hezkuntza Arreta", "ATE", "HEA", "0002"},
    SubjectDef{"ALE", u8"Segunda Lengua Extranjera: Alem\u00E1n", u8"Bigarren Atzerriko Hizkuntza: Alemana",
               u8"Alem\u00E1n", u8"Alemana", "ALE", "ALE", "0002"},
    SubjectDef{"RLC", u8"Refuerzo de Lengua Castellana", u8"Gaztelania Indartzea", u8"Refuerzo Lengua",
               u8"Gaztelania Indartzea", "RLC", "GAI", "0002"},
    SubjectDef{"RLV", u8"Refuerzo de Lengua Vasca", u8"Euskara Indartzea", u8"Refuerzo Euskera",
               u8"Euskara Indartzea", "RLV", "EUI", "0002"},
    SubjectDef{"RMA", u8"Refuerzo de Matem\u00E1ticas", u8"Matematika Indartzea",
               u8"Refuerzo Matem\u00E1ticas", u8"Matematika Indartzea", "RMA", "MAI", "0002"},
    SubjectDef{"IGC", u8"Ingl\u00E9s: Conversaci\u00F3n (desdoble)", u8"Ingelesa: Elkarrizketa (banaketa)",
               u8"Ingl\u00E9s Conversaci\u00F3n", u8"Ingelesa Elkarrizk.", "INGC", "INGE", "0002"},
    SubjectDef{"LAB", u8"Laboratorio de Ciencias (desdoble)", u8"Zientzia Laborategia (banaketa)",
               u8"Laboratorio", u8"Laborategia", "LAB", "LAB", "0002"},
    SubjectDef{"PRO", u8"Proyecto Interdisciplinar", u8"Diziplinarteko Proiektua", u8"Proyecto Interdisc.",
               u8"Diziplinarteko Proi.", "PRI", "DPR", "0002"},
    SubjectDef{"ORA", u8"Oratoria y Debate", u8"Ahozkotasuna eta Eztabaida", u8"Oratoria", u8"Ahozkotasuna",
               "ORA", "AHO", "0002"},
    SubjectDef{"CCL", u8"Cultura Cl\u00E1sica", u8"Kultura Klasikoa", u8"Cultura Cl\u00E1sica",
               u8"Kultura Klasikoa", "CCL", "KKL", "0002"},
    SubjectDef{"DIG", u8"Digitalizaci\u00F3n", u8"Digitalizazioa", u8"Digitalizaci\u00F3n",
               u8"Digitalizazioa", "DIG", "DIG", "0002"},
    // 1st of Bachillerato.
    SubjectDef{"ANA", u8"Anatom\u00EDa Aplicada", u8"Anatomia Aplikatua", u8"Anatom\u00EDa Aplicada",
               u8"Anatomia Aplikatua", "ANA", "ANA", "0002"},
    SubjectDef{"TIC1", u8"Tecnolog\u00EDas de la Informaci\u00F3n y la Comunicaci\u00F3n I",
               u8"Informazioaren eta Komunikazioaren Teknologiak I", u8"TIC I", u8"IKT I", "TIC1", "IKT1",
               "0002"},
    SubjectDef{"PSI", u8"Psicolog\u00EDa", u8"Psikologia", u8"Psicolog\u00EDa", u8"Psikologia", "PSI", "PSI",
               "0002"},
    SubjectDef{"FR1", u8"Segunda Lengua Extranjera I: Franc\u00E9s",
               u8"Bigarren Atzerriko Hizkuntza I: Frantsesa", u8"Franc\u00E9s I", u8"Frantsesa I", "FRA1",
               "FRA1", "0002"},
    SubjectDef{"AL1", u8"Segunda Lengua Extranjera I: Alem\u00E1n",
               u8"Bigarren Atzerriko Hizkuntza I: Alemana", u8"Alem\u00E1n I", u8"Alemana I", "ALE1", "ALE1",
               "0002"},
    SubjectDef{"CAV", u8"Cultura Audiovisual", u8"Ikus-entzunezko Kultura", u8"Cultura Audiovisual",
               u8"Ikus-entzunezkoa", "CAV", "IEK", "0002"},
    SubjectDef{"PIN", u8"Proyecto de Investigaci\u00F3n", u8"Ikerketa Proiektua", u8"Proyecto Investig.",
               u8"Ikerketa Proiektua", "PIN", "IKP", "0002"},
    SubjectDef{"LPM", u8"Lenguaje y Pr\u00E1ctica Musical", u8"Musika Lengoaia eta Praktika",
               u8"Lenguaje Musical", u8"Musika Lengoaia", "LPM", "MLP", "0002"},
    SubjectDef{"TIN1", u8"Tecnolog\u00EDa e Ingenier\u00EDa I", u8"Teknologia eta Ingeniaritza I",
               u8"Tecnolog\u00EDa e Ing. I", u8"Teknol. eta Ing. I", "TIN1", "TIN1", "0002"},
    SubjectDef{"CUC", u8"Cultura Cient\u00EDfica", u8"Kultura Zientifikoa", u8"Cultura Cient\u00EDfica",
               u8"Kultura Zientifikoa", "CUC", "KZI", "0002"},
    SubjectDef{"GRI1", u8"Griego I", u8"Greziera I", u8"Griego I", u8"Greziera I", "GRI1", "GRE1", "0002"},
    SubjectDef{"LIU", u8"Literatura Universal", u8"Literatura Unibertsala", u8"Literatura Universal",
               u8"Literatura Unibert.", "LIU", "LIU", "0002"},
    SubjectDef{"MCA", u8"Movimientos Culturales y Art\u00EDsticos", u8"Mugimendu Kultural eta Artistikoak",
               u8"Movimientos Cult.", u8"Mugimendu Kulturalak", "MCA", "MKA", "0002"},
    SubjectDef{"EEA", u8"Econom\u00EDa, Emprendimiento y Actividad Empresarial",
               u8"Ekonomia, Ekintzailetza eta Enpresa Jarduera", u8"Econom\u00EDa y Empresa",
               u8"Ekonomia eta Enpresa", "EEA", "EEJ", "0002"},
    SubjectDef{"VOL", u8"Volumen", u8"Bolumena", u8"Volumen", u8"Bolumena", "VOL", "BOL", "0002"},
    SubjectDef{"PAR", u8"Proyectos Art\u00EDsticos", u8"Proiektu Artistikoak", u8"Proyectos Art\u00EDsticos",
               u8"Proiektu Artistikoak", "PAR", "PAR", "0002"},
    // 2nd of Bachillerato.
    SubjectDef{"TIC2", u8"Tecnolog\u00EDas de la Informaci\u00F3n y la Comunicaci\u00F3n II",
               u8"Informazioaren eta Komunikazioaren Teknologiak II", u8"TIC II", u8"IKT II", "TIC2", "IKT2",
               "0002"},
    SubjectDef{"FR2", u8"Segunda Lengua Extranjera II: Franc\u00E9s",
               u8"Bigarren Atzerriko Hizkuntza II: Frantsesa", u8"Franc\u00E9s II", u8"Frantsesa II", "FRA2",
               "FRA2", "0002"},
    SubjectDef{"AL2", u8"Segunda Lengua Extranjera II: Alem\u00E1n",
               u8"Bigarren Atzerriko Hizkuntza II: Alemana", u8"Alem\u00E1n II", u8"Alemana II", "ALE2",
               "ALE2", "0002"},
    SubjectDef{"GEO", u8"Geograf\u00EDa", u8"Geografia", u8"Geograf\u00EDa", u8"Geografia", "GEO", "GEO",
               "0002"},
    SubjectDef{"HMD", u8"Historia de la M\u00FAsica y de la Danza", u8"Musikaren eta Dantzaren Historia",
               u8"Historia M\u00FAsica", u8"Musikaren Historia", "HMD", "MDH", "0002"},
    SubjectDef{"FAG", u8"Fundamentos de Administraci\u00F3n y Gesti\u00F3n",
               u8"Administrazio eta Kudeaketaren Oinarriak", u8"Administraci\u00F3n", u8"Administrazioa",
               "FAG", "AKO", "0002"},
    SubjectDef{"CTMA", u8"Ciencias de la Tierra y del Medio Ambiente",
               u8"Lurraren eta Ingurumenaren Zientziak", u8"Ciencias Tierra", u8"Lurraren Zientziak", "CTMA",
               "LIZ", "0002"},
    SubjectDef{"AFS", u8"Actividad F\u00EDsica y Salud", u8"Jarduera Fisikoa eta Osasuna",
               u8"Act. F\u00EDsica y Salud", u8"Jarduera Fisikoa", "AFS", "JFO", "0002"},
    SubjectDef{"TIN2", u8"Tecnolog\u00EDa e Ingenier\u00EDa II", u8"Teknologia eta Ingeniaritza II",
               u8"Tecnolog\u00EDa e Ing. II", u8"Teknol. eta Ing. II", "TIN2", "TIN2", "0002"},
    SubjectDef{"GEL", u8"Geolog\u00EDa y Ciencias Ambientales", u8"Geologia eta Ingurumen Zientziak",
               u8"Geolog\u00EDa", u8"Geologia", "GEL", "GEL", "0002"},
    SubjectDef{"GRI2", u8"Griego II", u8"Greziera II", u8"Griego II", u8"Greziera II", "GRI2", "GRE2",
               "0002"},
    SubjectDef{"LAT2", u8"Lat\u00EDn II", u8"Latina II", u8"Lat\u00EDn II", u8"Latina II", "LAT2", "LAT2",
               "0002"},
    SubjectDef{"MGE", u8"Matem\u00E1ticas Generales", u8"Matematika Orokorrak", u8"Matem\u00E1ticas Gen.",
               u8"Matematika Orokorrak", "MGE", "MOR", "0002"},
    SubjectDef{"CGE", u8"Ciencias Generales", u8"Zientzia Orokorrak", u8"Ciencias Generales",
               u8"Zientzia Orokorrak", "CGE", "ZOR", "0002"},
    SubjectDef{"DA2", u8"Dibujo Art\u00EDstico II", u8"Marrazketa Artistikoa II",
               u8"Dibujo Art\u00EDstico II", u8"Marrazk. Artist. II", "DA2", "MA2", "0002"},
    SubjectDef{"DIS", u8"Dise\u00F1o", u8"Diseinua", u8"Dise\u00F1o", u8"Diseinua", "DIS", "DIS", "0002"},
};

std::size_t subjectIndex(std::string_view key) {
  for (std::size_t i = 0; i < kSubjects.size(); ++i) {
    if (kSubjects[i].key == key) return i;
  }
  throw std::logic_error("unknown subject key " + std::string(key));
}

enum class Track { Eso, Sciences, Humanities, General, Arts };

struct SpecialityDef {
  Stage stage;
  unsigned course;
  Track track;
  char model;  // Basque language model A, B or D
};

// The specialities of one repetition: ESO per course and model, Bachillerato per course, track and
// model. Some are in the curriculum without any group (Bachillerato General A in 1st, General D
// and Arts in 2nd).
std::vector<SpecialityDef> specialityDefs() {
  std::vector<SpecialityDef> defs;
  for (unsigned course = 1; course <= 4; ++course) {
    for (char model : {'D', 'B', 'A'}) defs.push_back({Stage::Eso, course, Track::Eso, model});
  }
  for (unsigned course = 1; course <= 2; ++course) {
    for (auto [track, model] : std::array{std::pair{Track::Sciences, 'D'}, std::pair{Track::Sciences, 'A'},
                                          std::pair{Track::Humanities, 'D'},
                                          std::pair{Track::Humanities, 'A'}, std::pair{Track::General, 'D'},
                                          std::pair{Track::General, 'A'}, std::pair{Track::Arts, 'D'}}) {
      defs.push_back({Stage::Bachillerato, course, track, model});
    }
  }
  return defs;
}

// The subjects of a speciality: its common curriculum, then the subjects offered besides it
// (optional subjects, support and split-group lessons), which take more periods than a group's
// week has, so that a timetable runs some of them in parallel.
std::vector<std::string_view> curriculumKeys(const SpecialityDef& s) {
  std::vector<std::string_view> keys;
  auto add = [&keys](std::initializer_list<std::string_view> more) {
    keys.insert(keys.end(), more.begin(), more.end());
  };
  if (s.stage == Stage::Eso) {
    add({"LCL", "LVL", "ING", "GH", "EF", "REL", "TUT"});
    add({s.course < 4 ? "MAT" : (s.model == 'D' ? "MATB" : "MATA")});
    switch (s.course) {
      case 1:
        add({"BG", "EPV", "MUS", "TEC", "FRA", "TEA", "ORA"});
        break;
      case 2:
        add({"FQ", "EPV", "MUS", "TEC", "FRA", "PIE", "ORA"});
        break;
      case 3:
        add({"BG", "FQ", "TEC", "FRA", "TEA", "CCL"});
        break;
      default:
        add({"BG", "FQ", "LAT", "EEM", "TEC", "FRA", "PIE", "DIG"});
        break;
    }
    add({"ATE", "ALE", "RLC", "RLV", "RMA", "IGC", "LAB", "PRO"});
    return keys;
  }
  if (s.course == 1) {
    add({"LCL1", "LVL1", "ING1", "FIL", "EF", "TUT", "REL"});
    switch (s.track) {
      case Track::Sciences:
        add({"MA1", "FQ", "BG", "DT1", "TIN1", "CUC"});
        break;
      case Track::Humanities:
        add({"MCS1", "LAT", "HMC", "ECO", "GRI1", "LIU"});
        break;
      case Track::General:
        add({"MCS1", "HMC", "ECO", "MCA", "EEA"});
        break;
      default:
        add({"DA1", "HMC", "DT1", "VOL", "PAR"});
        break;
    }
    add({"ANA", "TIC1", "PSI", "FR1", "AL1", "CAV", "PIN", "LPM"});
    return keys;
  }
  add({"LCL2", "LVL2", "ING2", "HFI", "HES", "TUT", "REL"});
  switch (s.track) {
    case Track::Sciences:
      add({"MA2", "FIS", "QUI", "BIO", "TIN2", "GEL"});
      break;
    case Track::Humanities:
      add({"MCS2", "EDMN", "HAR", "GRI2", "LAT2"});
      break;
    case Track::General:
      add({"MCS2", "EDMN", "HAR", "MGE", "CGE"});
      break;
    default:
      add({"HAR", "EDMN", "DA2", "DIS"});
      break;
  }
  add({"TIC2", "FR2", "AL2", "GEO", "HMD", "FAG", "CTMA", "AFS"});
  return keys;
}

std::string ordinal(unsigned course) { return std::to_string(course) + cp1252(u8"\u00BA"); }

std::string specialityCast(const SpecialityDef& s) {
  const std::string model = std::string(" - Modelo ") + s.model;
  if (s.stage == Stage::Eso) return ordinal(s.course) + " ESO" + model;
  std::u8string_view track;
  switch (s.track) {
    case Track::Sciences:
      track = u8"Ciencias y Tecnolog\u00EDa";
      break;
    case Track::Humanities:
      track = u8"Humanidades y CC. Sociales";
      break;
    case Track::General:
      track = u8"General";
      break;
    default:
      track = u8"Artes";
      break;
  }
  return ordinal(s.course) + " Bach. " + cp1252(track) + model;
}

std::string specialityEusk(const SpecialityDef& s) {
  const std::string model = std::string(" - ") + s.model + " eredua";
  const std::string course = std::to_string(s.course) + ".";
  if (s.stage == Stage::Eso) return "DBH " + course + " maila" + model;
  std::string_view track;
  switch (s.track) {
    case Track::Sciences:
      track = "Zientziak eta Teknologia";
      break;
    case Track::Humanities:
      track = "Giza eta Gizarte Zientziak";
      break;
    case Track::General:
      track = "Orokorra";
      break;
    default:
      track = "Arteak";
      break;
  }
  return "Batx. " + course + " " + std::string(track) + model;
}

enum class Shift { Morning, Afternoon, Night };

std::string_view shiftCode(Shift shift) {
  switch (shift) {
    case Shift::Morning:
      return "0001";
    case Shift::Afternoon:
      return "0002";
    default:
      return "0003";
  }
}

struct GroupDef {
  Stage stage;
  unsigned course;
  Track track;
  char model;
  char letter;
  Shift shift;
  std::string_view room;
};

// 25 groups per repetition. 1st and 2nd Bachillerato B share plan, level and speciality with A.
constexpr std::array kGroups{
    GroupDef{Stage::Eso, 1, Track::Eso, 'D', 'A', Shift::Morning, "A101"},
    GroupDef{Stage::Eso, 1, Track::Eso, 'B', 'B', Shift::Morning, "A102"},
    GroupDef{Stage::Eso, 1, Track::Eso, 'A', 'C', Shift::Morning, "A103"},
    GroupDef{Stage::Eso, 2, Track::Eso, 'D', 'A', Shift::Morning, "A104"},
    GroupDef{Stage::Eso, 2, Track::Eso, 'B', 'B', Shift::Morning, "A105"},
    GroupDef{Stage::Eso, 2, Track::Eso, 'A', 'C', Shift::Morning, "A106"},
    GroupDef{Stage::Eso, 3, Track::Eso, 'D', 'A', Shift::Morning, "A107"},
    GroupDef{Stage::Eso, 3, Track::Eso, 'B', 'B', Shift::Morning, "A108"},
    GroupDef{Stage::Eso, 3, Track::Eso, 'A', 'C', Shift::Morning, "A109"},
    GroupDef{Stage::Eso, 4, Track::Eso, 'D', 'A', Shift::Morning, "A110"},
    GroupDef{Stage::Eso, 4, Track::Eso, 'B', 'B', Shift::Morning, "A111"},
    GroupDef{Stage::Eso, 4, Track::Eso, 'A', 'C', Shift::Morning, "A112"},
    GroupDef{Stage::Bachillerato, 1, Track::Sciences, 'D', 'A', Shift::Morning, "A201"},
    GroupDef{Stage::Bachillerato, 1, Track::Sciences, 'D', 'B', Shift::Morning, "A202"},
    GroupDef{Stage::Bachillerato, 1, Track::Humanities, 'D', 'C', Shift::Morning, "A203"},
    GroupDef{Stage::Bachillerato, 1, Track::Humanities, 'A', 'D', Shift::Afternoon, "A201"},
    GroupDef{Stage::Bachillerato, 1, Track::Sciences, 'A', 'E', Shift::Afternoon, "A202"},
    GroupDef{Stage::Bachillerato, 1, Track::General, 'D', 'F', Shift::Morning, "A204"},
    GroupDef{Stage::Bachillerato, 1, Track::Arts, 'D', 'G', Shift::Morning, "A205"},
    GroupDef{Stage::Bachillerato, 2, Track::Sciences, 'D', 'A', Shift::Morning, "A206"},
    GroupDef{Stage::Bachillerato, 2, Track::Sciences, 'D', 'B', Shift::Morning, "A207"},
    GroupDef{Stage::Bachillerato, 2, Track::Humanities, 'D', 'C', Shift::Morning, "A208"},
    GroupDef{Stage::Bachillerato, 2, Track::Humanities, 'A', 'D', Shift::Afternoon, "A203"},
    GroupDef{Stage::Bachillerato, 2, Track::Sciences, 'A', 'E', Shift::Afternoon, "A204"},
    GroupDef{Stage::Bachillerato, 2, Track::General, 'A', 'F', Shift::Night, "A206"},
};
// The night group's tutor is still pending.
constexpr std::size_t kGroupWithoutTutor = kGroups.size() - 1;

struct RoomDef {
  std::string_view code;
  std::u8string_view name;
  unsigned capacity;
};

// Room codes are shorter than their 8-character field, so they keep trailing blanks in AULAS.txt.
constexpr std::array kRooms{
    RoomDef{"A101", u8"Aula 101", 30},
    RoomDef{"A102", u8"Aula 102", 30},
    RoomDef{"A103", u8"Aula 103", 30},
    RoomDef{"A104", u8"Aula 104", 30},
    RoomDef{"A105", u8"Aula 105", 30},
    RoomDef{"A106", u8"Aula 106", 30},
    RoomDef{"A107", u8"Aula 107", 30},
    RoomDef{"A108", u8"Aula 108", 30},
    RoomDef{"A109", u8"Aula 109", 30},
    RoomDef{"A110", u8"Aula 110", 30},
    RoomDef{"A111", u8"Aula 111", 30},
    RoomDef{"A112", u8"Aula 112", 30},
    RoomDef{"A201", u8"Aula 201", 35},
    RoomDef{"A202", u8"Aula 202", 35},
    RoomDef{"A203", u8"Aula 203", 35},
    RoomDef{"A204", u8"Aula 204", 35},
    RoomDef{"A205", u8"Aula 205", 35},
    RoomDef{"A206", u8"Aula 206", 35},
    RoomDef{"A207", u8"Aula 207", 35},
    RoomDef{"A208", u8"Aula 208", 35},
    RoomDef{"A209", u8"Aula 209 (desdobles)", 20},
    RoomDef{"A210", u8"Aula 210 (desdobles)", 20},
    RoomDef{"LABF", u8"Laboratorio de F\u00EDsica y Qu\u00EDmica", 24},
    RoomDef{"LABB", u8"Laboratorio de Biolog\u00EDa y Geolog\u00EDa", 24},
    RoomDef{"GIMN", u8"Gimnasio", 60},
    RoomDef{"TECN", u8"Taller de Tecnolog\u00EDa", 24},
    RoomDef{"MUSI", u8"Aula de M\u00FAsica", 30},
    RoomDef{"PLAS", u8"Aula de Pl\u00E1stica y Dibujo", 28},
    RoomDef{"INFO", u8"Aula de Inform\u00E1tica", 25},
    RoomDef{"BIBL", u8"Biblioteca", 120},
    // Small rooms for the halves of split groups, support and optional subjects.
    RoomDef{"A211", u8"Aula 211 (desdobles)", 20},
    RoomDef{"A212", u8"Aula 212 (desdobles)", 20},
    RoomDef{"A213", u8"Aula 213 (desdobles)", 20},
    RoomDef{"A214", u8"Aula 214 (desdobles)", 20},
    RoomDef{"SEM1", u8"Seminario 1", 15},
    RoomDef{"SEM2", u8"Seminario 2", 15},
    RoomDef{"SEM3", u8"Seminario 3", 15},
    RoomDef{"SEM4", u8"Seminario 4", 15},
    RoomDef{"APO1", u8"Aula de Apoyo 1", 12},
    RoomDef{"APO2", u8"Aula de Apoyo 2", 12},
    RoomDef{"IDIO", u8"Laboratorio de Idiomas", 24},
    RoomDef{"LABC", u8"Laboratorio de Ciencias", 24},
};

struct DepartmentDef {
  std::u8string_view name;
  unsigned teachers;
};

// 60 teachers per repetition. The last name is longer than the 40 characters the converter keeps.
constexpr std::array kDepartments{
    DepartmentDef{u8"Matem\u00E1ticas", 8},
    DepartmentDef{u8"Lengua Castellana y Literatura", 6},
    DepartmentDef{u8"Lengua Vasca y Literatura", 7},
    DepartmentDef{u8"Ingl\u00E9s", 7},
    DepartmentDef{u8"Franc\u00E9s", 1},
    DepartmentDef{u8"Geograf\u00EDa e Historia", 5},
    DepartmentDef{u8"Biolog\u00EDa y Geolog\u00EDa", 3},
    DepartmentDef{u8"F\u00EDsica y Qu\u00EDmica", 3},
    DepartmentDef{u8"Tecnolog\u00EDa", 3},
    DepartmentDef{u8"Educaci\u00F3n F\u00EDsica", 3},
    DepartmentDef{u8"M\u00FAsica", 2},
    DepartmentDef{u8"Dibujo", 2},
    DepartmentDef{u8"Filosof\u00EDa", 2},
    DepartmentDef{u8"Lat\u00EDn", 1},
    DepartmentDef{u8"Econom\u00EDa", 2},
    DepartmentDef{u8"Religi\u00F3n", 1},
    DepartmentDef{u8"Departamento de Orientaci\u00F3n y Atenci\u00F3n a la Diversidad", 4},
};

constexpr unsigned teachersPerReplica() {
  unsigned total = 0;
  for (const DepartmentDef& d : kDepartments) total += d.teachers;
  return total;
}
// Tutors are picked as (group * 7 + 3) mod 60, which gives every group its own teacher.
static_assert(teachersPerReplica() == 60);

// Lower-case particles ("de la", "del") give lower-case initials, which the converter compares
// without regard to case.
constexpr std::array kSurnames{
    u8"Agirre",          u8"Aranburu",         u8"Arregi",         u8"Arrieta",
    u8"Azkue",           u8"Beitia",           u8"Elorza",         u8"Etxeberria",
    u8"Etxaniz",         u8"Galarraga",        u8"Garmendia",      u8"Goikoetxea",
    u8"Ibarguren",       u8"Iturbe",           u8"Larra\u00F1aga", u8"Lasa",
    u8"Mendizabal",      u8"Olaizola",         u8"Otxoa",          u8"Txurruka",
    u8"Ugarte",          u8"Urkiola",          u8"Urrutia",        u8"Zabala",
    u8"Zubizarreta",     u8"Zuloaga",          u8"Garc\u00EDa",    u8"Fern\u00E1ndez",
    u8"Gonz\u00E1lez",   u8"Mart\u00EDnez",    u8"L\u00F3pez",     u8"S\u00E1nchez",
    u8"P\u00E9rez",      u8"G\u00F3mez",       u8"D\u00EDaz",      u8"Mu\u00F1oz",
    u8"N\u00FA\u00F1ez", u8"Ib\u00E1\u00F1ez", u8"G\u00E1rate",    u8"S\u00E1ez",
    u8"de la Pe\u00F1a", u8"del R\u00EDo",
};

constexpr std::array kGivenNames{
    u8"Ane",
    u8"Maialen",
    u8"I\u00F1aki",
    u8"Jon",
    u8"Itziar",
    u8"Miren",
    u8"Koldo",
    u8"Aitor",
    u8"Nerea",
    u8"Josune",
    u8"Garazi",
    u8"Unai",
    u8"Bego\u00F1a",
    u8"Ander",
    u8"Arantxa",
    u8"\u00CD\u00F1igo",
    u8"Mar\u00EDa Jos\u00E9",
    u8"\u00C1ngel",
    u8"\u00D3scar",
    u8"Leire",
    u8"Amaia",
    u8"Xabier",
    u8"Ainhoa",
    u8"Gorka",
    u8"Idoia",
    u8"Mikel",
    u8"Edurne",
    u8"Julen",
    u8"Iratxe",
    u8"Asier",
    u8"Maite",
    u8"Josu",
    u8"Luc\u00EDa",
    u8"Ra\u00FAl",
    u8"M\u00F3nica",
    u8"Andr\u00E9s",
    u8"Nekane",
    u8"Joseba",
    u8"Zuri\u00F1e",
    u8"Ibon",
};

// Two teachers of every repetition hold a foreigner's identity number and have no second surname.
struct ForeignTeacher {
  std::size_t position;  // among the 60 teachers of a repetition, before sorting
  std::u8string_view surname, givenName;
};
constexpr std::array kForeignTeachers{
    ForeignTeacher{17, u8"Lefebvre", u8"Claire"},
    ForeignTeacher{42, u8"Carvalho", u8"Joana"},
};

// ---------------------------------------------------------------------------------------------
// The generated school

struct Teacher {
  std::string surname1, surname2, givenName;  // Windows-1252
  std::string department;
  bool foreign = false;
  std::string documentType, documentNumber;
  std::string hired;  // YYYYMMDD, in a part of the record the converter does not read
  std::string phone;
};

struct Speciality {
  SpecialityDef def;
  std::string code;
  std::vector<std::string> subjectCodes;
};

struct Group {
  const GroupDef* def;
  unsigned replica;
  std::string code;
  std::string specialityCode;
  std::optional<std::size_t> tutor;  // index in the staff list; none while the tutor is pending
};

class School {
 public:
  School(unsigned scale, bool privateCentre) : m_scale(scale), m_private(privateCentre) {
    for (unsigned r = 0; r < scale; ++r) buildReplica(r);
  }

  std::string taskTypes() const;
  std::string courses() const;
  std::string models() const;
  std::string subjects() const;
  std::string otherActivities() const;
  std::string documentTypes() const;
  std::string levels() const;
  std::string specialities() const;
  std::string languages() const;
  std::string teachers() const;
  std::string hourTemplates() const;
  std::string rooms() const;
  std::string groups() const;
  std::string curriculum() const;

 private:
  void buildReplica(unsigned r);

  static std::string subjectCode(unsigned r, std::size_t index) {
    return zeroPadded(r * 1000 + 1001 + static_cast<unsigned>(index), 8);
  }
  // Room codes of the first repetition stand as they are; the others get "-N".
  static std::string roomCode(unsigned r, std::string_view base) {
    return r == 0 ? std::string(base) : std::string(base) + "-" + std::to_string(r + 1);
  }
  static std::string placeSuffix(unsigned r) {
    return r == 0 ? std::string() : " (sede " + std::to_string(r + 1) + ")";
  }
  std::string header() const {
    return std::string(kHeaderPrefix) + std::string(kCentreCode) + std::string(kAcademicYear);
  }

  unsigned m_scale;
  bool m_private;
  Lcg m_rng{0x45524B414C444531ULL};
  std::vector<Teacher> m_teachers;         // in file order
  std::vector<Speciality> m_specialities;  // in file order
  std::vector<Group> m_groups;             // in file order
};

void School::buildReplica(unsigned r) {
  // Teachers: names drawn from the lists, then sorted by name as a staff list is.
  std::vector<Teacher> staff;
  for (const DepartmentDef& department : kDepartments) {
    for (unsigned i = 0; i < department.teachers; ++i) {
      Teacher t;
      t.surname1 = cp1252(m_rng.pick(kSurnames));
      t.surname2 = cp1252(m_rng.pick(kSurnames));
      t.givenName = cp1252(m_rng.pick(kGivenNames));
      t.department = cp1252(department.name);
      // One draw per statement: the order in which operands are evaluated is unspecified.
      const unsigned year = 1990 + m_rng.below(35);
      const unsigned month = 1 + m_rng.below(12);
      const unsigned day = 1 + m_rng.below(28);
      t.hired = std::to_string(year) + zeroPadded(month, 2) + zeroPadded(day, 2);
      t.phone = "943" + zeroPadded(m_rng.below(1000000), 6);
      staff.push_back(std::move(t));
    }
  }
  for (const ForeignTeacher& f : kForeignTeachers) {
    staff[f.position].surname1 = cp1252(f.surname);
    staff[f.position].surname2.clear();
    staff[f.position].givenName = cp1252(f.givenName);
    staff[f.position].foreign = true;
  }
  std::stable_sort(staff.begin(), staff.end(), [](const Teacher& a, const Teacher& b) {
    return std::tie(a.surname1, a.surname2, a.givenName) < std::tie(b.surname1, b.surname2, b.givenName);
  });
  // Identity numbers are distinct by construction (the multipliers are prime to the moduli) and
  // carry the check letter computed as for real ones.
  constexpr std::string_view kCheckLetters = "TRWAGMYFPDXBNJZSQVHLCKE";
  const std::size_t firstTeacher = m_teachers.size();
  for (std::size_t i = 0; i < staff.size(); ++i) {
    const std::uint64_t index = firstTeacher + i;
    const auto number = static_cast<unsigned>(10000000 + (index * 27644437 + 5318008) % 80000000);
    Teacher& t = staff[i];
    if (t.foreign) {
      // NIE X1234567L: the X counts as 0 for the letter.
      const auto seven = static_cast<unsigned>((index * 2750159 + 4242421) % 10000000);
      t.documentType = "NIE";
      t.documentNumber = "X" + zeroPadded(seven, 7) + kCheckLetters[seven % 23];
    } else {
      t.documentType = "DNI";
      t.documentNumber = zeroPadded(number, 8) + kCheckLetters[number % 23];
    }
    m_teachers.push_back(std::move(t));
  }

  // Specialities and their curricula.
  const std::vector<SpecialityDef> defs = specialityDefs();
  const std::size_t firstSpeciality = m_specialities.size();
  for (std::size_t i = 0; i < defs.size(); ++i) {
    Speciality s{defs[i], zeroPadded(static_cast<unsigned>(100 + r * defs.size() + i + 1), 4), {}};
    for (std::string_view key : curriculumKeys(defs[i])) {
      s.subjectCodes.push_back(subjectCode(r, subjectIndex(key)));
    }
    m_specialities.push_back(std::move(s));
  }

  // Groups, each tutored by a different teacher of the repetition.
  for (std::size_t g = 0; g < kGroups.size(); ++g) {
    const GroupDef& def = kGroups[g];
    const auto speciality =
        std::find_if(m_specialities.begin() + static_cast<std::ptrdiff_t>(firstSpeciality),
                     m_specialities.end(), [&def](const Speciality& s) {
                       return s.def.stage == def.stage && s.def.course == def.course &&
                              s.def.track == def.track && s.def.model == def.model;
                     });
    std::optional<std::size_t> tutor;
    if (g != kGroupWithoutTutor) tutor = firstTeacher + (g * 7 + 3) % teachersPerReplica();
    m_groups.push_back(
        {&def, r, zeroPadded(static_cast<unsigned>(20250000 + r * 100 + g + 1), 8), speciality->code, tutor});
  }
}

// ---------------------------------------------------------------------------------------------
// Code tables

std::string School::taskTypes() const {
  struct TaskType {
    char kind;
    std::string_view code;
    char reinforcement;
    std::u8string_view cast, eusk;
    char level, otherActivity;
  };
  // Only L and N records become task types; the C and E records are skipped by the converter.
  constexpr std::array kTaskTypes{
      TaskType{'L', "0100", 'N', u8"Docencia directa", u8"Zuzeneko irakaskuntza", 'S', 'N'},
      TaskType{'L', "0101", 'S', u8"Refuerzo ling\u00FC\u00EDstico", u8"Hizkuntza errefortzua", 'S', 'N'},
      TaskType{'L', "0102", 'N', u8"Desdoble de grupo", u8"Taldearen banaketa", 'S', 'N'},
      TaskType{'L', "0200", 'N', u8"Tutor\u00EDa de grupo", u8"Taldeko tutoretza", 'S', 'N'},
      TaskType{'C', "0250", 'N', u8"Actividad complementaria", u8"Jarduera osagarria", 'N', 'N'},
      TaskType{'N', "0300", 'N', u8"Guardia", u8"Zaintza", 'N', 'S'},
      TaskType{'N', "0301", 'N', u8"Guardia de recreo", u8"Jolastorduko zaintza", 'N', 'S'},
      TaskType{'N', "0400", 'N', u8"Reuni\u00F3n de departamento", u8"Departamentuko bilera", 'N', 'N'},
      TaskType{'N', "0500", 'N', u8"Jefatura de departamento", u8"Departamentuburutza", 'N', 'N'},
      TaskType{'N', "0600", 'N', u8"Atenci\u00F3n a familias", u8"Familiei arreta", 'N', 'N'},
      TaskType{'E', "0700", 'N', u8"Actividad extraescolar", u8"Eskolaz kanpoko jarduera", 'N', 'N'},
  };
  std::string line;
  for (const TaskType& t : kTaskTypes) {
    Record()
        .text(std::string(1, t.kind), 1)
        .text(t.code, 4)
        .text(std::string(1, t.reinforcement), 1)
        .text(t.cast, 250)
        .text(t.eusk, 250)
        .text(std::string(1, t.level), 1)
        .text(std::string(1, t.otherActivity), 1)
        .appendTo(line, 508);
  }
  return line;
}

std::string School::courses() const {
  std::string line;
  for (const Speciality& s : m_specialities) {
    const LevelDef& level = levelOf(s.def.stage);
    const std::string course = zeroPadded(s.def.course, 4);
    // One record per shift in which the speciality is taught (morning when it has no group).
    std::vector<Shift> shifts;
    for (const Group& g : m_groups) {
      if (g.specialityCode == s.code &&
          std::find(shifts.begin(), shifts.end(), g.def->shift) == shifts.end()) {
        shifts.push_back(g.def->shift);
      }
    }
    if (shifts.empty()) shifts.push_back(Shift::Morning);
    for (Shift shift : shifts) {
      Record()
          .text(std::string(level.code) + std::string(kCurrentPlan) + course, 12)
          .text(level.code, 4)
          .text(s.code, 4)
          .text(shiftCode(shift), 4)
          .text(course, 4)
          .text(specialityCast(s.def), 50)
          .text(specialityEusk(s.def), 50)
          .appendTo(line, 128);
    }
  }
  return line;
}

std::string School::models() const {
  struct Model {
    std::string_view code;
    std::u8string_view cast, eusk;
  };
  constexpr std::array kModels{
      Model{"A", u8"Modelo A", u8"A eredua"},
      Model{"B", u8"Modelo B", u8"B eredua"},
      Model{"D", u8"Modelo D", u8"D eredua"},
      Model{"X", u8"Modelo X", u8"X eredua"},
  };
  std::string line;
  for (const Model& m : kModels) {
    // Position 20 separates the two descriptions; the Euskera one has 14 positions left.
    Record().text(m.code, 4).text(m.cast, 15).blanks(1).text(m.eusk, 14).appendTo(line, 34);
  }
  return line;
}

std::string School::subjects() const {
  std::string line;
  for (unsigned r = 0; r < m_scale; ++r) {
    for (std::size_t i = 0; i < kSubjects.size(); ++i) {
      const SubjectDef& s = kSubjects[i];
      Record()
          .text(subjectCode(r, i), 8)
          .text(s.cast, 100)
          .text(s.eusk, 100)
          .text(s.castShort, 20)
          .text(s.euskShort, 20)
          .text(s.codCast, 4)
          .text(s.codEusk, 4)
          .text(s.type, 4)
          .appendTo(line, 260);
    }
  }
  return line;
}

std::string School::otherActivities() const {
  struct Activity {
    std::string_view code;
    std::u8string_view cast, eusk, castShort, euskShort;
  };
  constexpr std::array kActivities{
      Activity{"001", u8"Coordinaci\u00F3n de convivencia", u8"Bizikidetzaren koordinazioa",
               u8"Coord. convivencia", u8"Bizikidetza koord."},
      Activity{"002", u8"Coordinaci\u00F3n de tecnolog\u00EDas de la informaci\u00F3n",
               u8"Informazioaren teknologien koordinazioa", u8"Coordinaci\u00F3n TIC", u8"IKT koordinazioa"},
      Activity{"003", u8"Plan de lectura y biblioteca", u8"Irakurketa eta liburutegi plana",
               u8"Plan de lectura", u8"Irakurketa plana"},
      Activity{"004", u8"Dinamizaci\u00F3n del euskera", u8"Euskararen dinamizazioa",
               u8"Dinamizaci\u00F3n euskera", u8"Euskara dinamizazioa"},
      Activity{"005", u8"Mantenimiento de laboratorios", u8"Laborategien mantentzea", u8"Mant. laboratorios",
               u8"Laborategiak"},
      Activity{"006", u8"Proyecto de innovaci\u00F3n", u8"Berrikuntza proiektua", u8"Innovaci\u00F3n",
               u8"Berrikuntza"},
      Activity{"007", u8"Actividades extraescolares", u8"Eskolaz kanpoko jarduerak", u8"Extraescolares",
               u8"Eskolaz kanpokoak"},
      Activity{"008", u8"Consejo Escolar", u8"Eskola Kontseilua", u8"Consejo Escolar", u8"Eskola Kontseilua"},
  };
  std::string line;
  for (const Activity& a : kActivities) {
    Record()
        .text(a.code, 3)
        .text(a.cast, 100)
        .text(a.eusk, 100)
        .text(a.castShort, 20)
        .text(a.euskShort, 20)
        .appendTo(line, 243);
  }
  return line;
}

std::string School::documentTypes() const {
  struct DocumentType {
    std::string_view code;
    std::u8string_view cast, eusk;
  };
  constexpr std::array kDocumentTypes{
      DocumentType{"DNI", u8"Documento Nacional de Identidad", u8"Nortasun Agiri Nazionala"},
      DocumentType{"NIE", u8"N\u00FAmero de Identidad de Extranjero",
                   u8"Atzerritarren Identifikazio Zenbakia"},
      DocumentType{"PAS", u8"Pasaporte", u8"Pasaportea"},
      DocumentType{"OTRO", u8"Otro documento", u8"Beste agiri bat"},
  };
  std::string line;
  for (const DocumentType& d : kDocumentTypes) {
    Record().text(d.code, 4).text(d.cast, 100).text(d.eusk, 100).appendTo(line, 204);
  }
  return line;
}

std::string School::levels() const {
  // Each level is listed under the current plan and again under the previous one; the converter
  // keeps the first record of a code.
  std::string line;
  for (const LevelDef& level : kLevels) {
    for (std::string_view plan : {kCurrentPlan, std::string_view("2015")}) {
      Record()
          .text(level.code, 4)
          .text(plan, 4)
          .text(level.cast, 50)
          .text(level.eusk, 50)
          .text(level.castShort, 20)
          .text(level.euskShort, 20)
          .appendTo(line, 148);
    }
  }
  return line;
}

std::string School::specialities() const {
  std::string line;
  for (const Speciality& s : m_specialities) {
    Record()
        .text(s.code, 4)
        .text(specialityCast(s.def), 50)
        .text(specialityEusk(s.def), 50)
        .appendTo(line, 104);
  }
  return line;
}

std::string School::languages() const {
  struct Language {
    std::string_view code;
    std::u8string_view cast, eusk;
    std::string_view castShort, euskShort;
  };
  constexpr std::array kLanguages{
      Language{"01", u8"Castellano", u8"Gaztelania", "CAST", "GAZT"},
      Language{"02", u8"Euskera", u8"Euskara", "EUSK", "EUSK"},
      Language{"03", u8"Ingl\u00E9s", u8"Ingelesa", "INGL", "INGE"},
      Language{"04", u8"Franc\u00E9s", u8"Frantsesa", "FRAN", "FRAN"},
      Language{"05", u8"Alem\u00E1n", u8"Alemana", "ALEM", "ALEM"},
  };
  std::string line;
  for (const Language& l : kLanguages) {
    Record()
        .text(l.code, 2)
        .text(l.cast, 100)
        .text(l.eusk, 100)
        .text(l.castShort, 4)
        .text(l.euskShort, 4)
        .appendTo(line, 210);
  }
  return line;
}

// ---------------------------------------------------------------------------------------------
// Staff, hours, rooms, groups, curriculum

std::string School::teachers() const {
  // A private or state-subsidised centre's records carry 21 more characters at the end.
  const std::size_t length = m_private ? 599 : 578;
  std::string line = header();
  for (const Teacher& t : m_teachers) {
    Record()
        .text("01", 2)
        .text(t.documentType, 4)
        .text(t.documentNumber, 15)
        .text(t.surname1, 50)
        .text(t.surname2, 50)
        .text(t.givenName, 30)
        .text(t.hired, 9)
        .text(t.department, 150)
        .text(t.phone, length - 310)
        .appendTo(line, length);
  }
  return line;
}

std::string School::hourTemplates() const {
  struct Period {
    std::string start, end;
    bool isBreak;
  };
  // Lessons of half an hour, so that the week holds every weekly hour of the curriculum (each
  // subject is given 4 hours; 4th of ESO takes 60 a week): a run of count periods of `minutes`
  // each, lessons or a break, from the end of the previous run.
  struct Run {
    unsigned count, minutes;
    bool isBreak;
  };
  auto day = [](std::initializer_list<Run> runs) {
    std::vector<Period> periods;
    unsigned minute = 8 * 60;
    auto clock = [](unsigned m) { return zeroPadded(m / 60, 2) + ":" + zeroPadded(m % 60, 2); };
    for (const Run& run : runs) {
      for (unsigned k = 0; k < run.count; ++k, minute += run.minutes) {
        periods.push_back({clock(minute), clock(minute + run.minutes), run.isBreak});
      }
    }
    return periods;
  };
  // 08:00-15:30 with a break at 11:00: 14 lessons a day.
  const std::vector<Period> morning = day({{6, 30, false}, {1, 30, true}, {8, 30, false}});
  // 08:00-13:30 with a break at 10:30, lunch until 15:00, then lessons until 19:00: 18 lessons a
  // day (periods 10 to 20 have two digits); Friday keeps the morning's first 11 periods.
  const std::vector<Period> splitDay =
      day({{5, 30, false}, {1, 30, true}, {5, 30, false}, {1, 90, true}, {8, 30, false}});
  auto addTemplate = [](std::string& line, std::string_view code, std::u8string_view name,
                        const std::vector<Period>& periods, unsigned lastLongDay) {
    Record().text("1", 1).text(code, 8).text(name, 50).appendTo(line, 59);
    for (unsigned day = 1; day <= 5; ++day) {
      const std::size_t count = day <= lastLongDay ? periods.size() : 11;
      for (std::size_t p = 0; p < count; ++p) {
        Record()
            .text("2", 1)
            .number(static_cast<unsigned>(p + 1), 2)
            .number(day, 1)
            .text(periods[p].start, 5)
            .text(periods[p].end, 5)
            .text(periods[p].isBreak ? "S" : "N", 1)
            .appendTo(line, 15);
      }
    }
  };
  std::string line;
  // "JC" is shorter than its 8-character field.
  addTemplate(line, "JC", u8"Jornada continua de ma\u00F1ana", morning, 5);
  addTemplate(line, "JPARTIDA", u8"Jornada partida con sesiones de tarde", splitDay, 4);
  return line;
}

std::string School::rooms() const {
  std::string line;
  for (unsigned r = 0; r < m_scale; ++r) {
    for (const RoomDef& room : kRooms) {
      Record()
          .text(roomCode(r, room.code), 8)
          .text(cp1252(room.name) + placeSuffix(r), 50)
          .number(room.capacity, 3)
          .appendTo(line, 61);
    }
  }
  return line;
}

std::string School::groups() const {
  std::string line = header();
  Lcg rng{0x475255504F53ULL};
  for (const Group& g : m_groups) {
    const GroupDef& def = *g.def;
    const LevelDef& level = levelOf(def.stage);
    const bool eso = def.stage == Stage::Eso;
    const std::string suffix = placeSuffix(g.replica);
    const std::string name = ordinal(def.course) + (eso ? " ESO " : " Bachillerato ") + def.letter + suffix;
    const std::string basqueName =
        (eso ? "DBH " : "Batx. ") + std::to_string(def.course) + ". " + def.letter + suffix;
    std::u8string_view text;
    if (def.shift == Shift::Afternoon) text = u8"Turno de tarde";
    if (def.shift == Shift::Night) text = u8"R\u00E9gimen nocturno (personas adultas)";
    const unsigned maxPupils = def.shift == Shift::Night ? 40 : (eso ? (def.model == 'A' ? 25 : 30) : 35);
    Record()
        .text("2", 1)
        .text(g.code, 8)
        .text(name, 50)
        .text(kCurrentPlan, 4)
        .text(level.code, 4)
        .text(g.specialityCode, 4)
        .text(shiftCode(def.shift), 4)
        .number(def.course, 4)
        .text(std::string(1, def.model), 4)
        .text("0001", 4)
        .text(def.shift == Shift::Morning ? "JC" : "JPARTIDA", 8)
        .text(g.tutor ? m_teachers[*g.tutor].documentType : "", 4)
        .text(g.tutor ? m_teachers[*g.tutor].documentNumber : "", 15)
        .text(basqueName, 171)  // not read by the converter
        .number(maxPupils, 4)
        .text(text, 50)
        .blanks(200)
        .text(roomCode(g.replica, def.room), 8)
        .appendTo(line, 547);
    // Short records (optional subjects with their number of pupils), skipped by the converter.
    const auto& speciality = *std::find_if(m_specialities.begin(), m_specialities.end(),
                                           [&g](const Speciality& s) { return s.code == g.specialityCode; });
    const unsigned shortRecords = rng.below(4);
    for (unsigned k = 0; k < shortRecords; ++k) {
      const auto& subject =
          speciality.subjectCodes[rng.below(static_cast<unsigned>(speciality.subjectCodes.size()))];
      const unsigned pupils = 5 + rng.below(20);
      Record().text("3", 1).text(g.code, 8).text(subject, 8).number(pupils, 6).appendTo(line, 23);
    }
  }
  return line;
}

std::string School::curriculum() const {
  // The whole curriculum of every level, plan and speciality, including plans and specialities
  // that no group of the centre follows. The first repetition also lists one line twice and one
  // subject that is missing from the subjects file.
  std::string line;
  auto add = [&line](std::string_view level, std::string_view plan, std::string_view speciality,
                     std::string_view subject) {
    Record().text(level, 4).text(plan, 4).text(speciality, 4).text(subject, 8).appendTo(line, 20);
  };
  for (const LevelDef& level : kLevels) {
    for (std::string_view plan : {"2007", "2015", "2022"}) {
      for (const Speciality& s : m_specialities) {
        if (s.def.stage != level.stage) continue;
        for (const std::string& subject : s.subjectCodes) {
          add(level.code, plan, s.code, subject);
        }
        if (plan == kCurrentPlan && &s == &m_specialities.front()) {
          add(level.code, plan, s.code, s.subjectCodes.back());
          add(level.code, plan, s.code, subjectCode(0, 998));
        }
      }
    }
  }
  return line;
}

// ---------------------------------------------------------------------------------------------

void writeDaeFile(const std::filesystem::path& folder, std::string_view name, const std::string& line,
                  std::size_t recordLength, std::size_t headerLength) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out << line << "\r\n";
  out.close();
  if (!out) throw std::runtime_error("cannot write " + (folder / name).string());
  std::cout << name << ": " << line.size() << " characters";
  if (recordLength != 0) {
    std::cout << ", " << (line.size() - headerLength) / recordLength << " records of " << recordLength;
  }
  std::cout << '\n';
}

struct Options {
  unsigned scale = 1;
  bool privateCentre = false;
  std::filesystem::path out;
};

Options parseOptions(int argc, char** argv) {
  Options options;
  const std::string usage = "usage: make-sample [--scale N] [--private] --out DIR";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--private") {
      options.privateCentre = true;
    } else if ((arg == "--scale" || arg == "--out") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--out") {
        options.out = value;
        continue;
      }
      if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos ||
          std::stoul(value) < 1 || std::stoul(value) > kMaxScale) {
        throw std::invalid_argument("--scale takes a whole number from 1 to " + std::to_string(kMaxScale));
      }
      options.scale = static_cast<unsigned>(std::stoul(value));
    } else {
      throw std::invalid_argument(usage);
    }
  }
  if (options.out.empty()) throw std::invalid_argument(usage);
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = parseOptions(argc, argv);
    std::filesystem::create_directories(options.out);
    const School school(options.scale, options.privateCentre);
    const auto& dir = options.out;
    writeDaeFile(dir, "T13.txt", school.taskTypes(), 508, 0);
    writeDaeFile(dir, "V55T12.txt", school.courses(), 128, 0);
    writeDaeFile(dir, "V55T35.txt", school.models(), 34, 0);
    writeDaeFile(dir, "V55T15W18T54_1.txt", school.subjects(), 260, 0);
    writeDaeFile(dir, "T07.txt", school.otherActivities(), 243, 0);
    writeDaeFile(dir, "V55T86.txt", school.documentTypes(), 204, 0);
    writeDaeFile(dir, "V55T11.txt", school.levels(), 148, 0);
    writeDaeFile(dir, "V55T14.txt", school.specialities(), 104, 0);
    writeDaeFile(dir, "T55.txt", school.languages(), 210, 0);
    writeDaeFile(dir, "profesorado.txt", school.teachers(), options.privateCentre ? 599 : 578, 13);
    writeDaeFile(dir, "PLANTILLAS.txt", school.hourTemplates(), 0, 0);
    writeDaeFile(dir, "AULAS.txt", school.rooms(), 61, 0);
    writeDaeFile(dir, "GRUPOS.txt", school.groups(), 0, 0);
    writeDaeFile(dir, "V55T15W18T54_2.txt", school.curriculum(), 20, 0);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make-sample: " << e.what() << '\n';
    return 1;
  }
}
