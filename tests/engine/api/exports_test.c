/* Drives the engine library the way the program does: loads it with dlopen, binds every export
   by name and uses the engine from creation to the INI round trip, over compiled test
   timetables. Written in C so that the public header and the records are checked as C sees
   them. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "engine/api/trasovnik.h"
#include "tests/engine/api/ExportNames.h"

static int gFailures = 0;

#define CHECK(cond)                                                                  \
    do {                                                                             \
        if (!(cond)) {                                                               \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++gFailures;                                                             \
        }                                                                            \
    } while (0)

/* Equal bytes of a text handed over with its length. */
static int sameText(const char* text, int32_t length, const char* expected) {
    return text != NULL && length == (int32_t)strlen(expected) &&
           memcmp(text, expected, (size_t)length) == 0;
}

static void* gLibrary = NULL;

#define EXPORT(name) static __typeof__(name)* p_##name = NULL;
#define BIND(name)                                   \
    do {                                             \
        void* symbol_ = dlsym(gLibrary, #name);      \
        memcpy(&p_##name, &symbol_, sizeof symbol_); \
    } while (0)

EXPORT(api_getVerziKnihovny)
EXPORT(api_pamet)
EXPORT(api_DatumToShortDen)
EXPORT(api_ShortDenToDatum)
EXPORT(api_vytvorJizdniRadyGlobal)
EXPORT(api_nactiHlavicky)
EXPORT(api_getHlavicku)
EXPORT(api_nactiSestavuJizdnichRadu)
EXPORT(api_zmenSestavuJizdnichRadu)
EXPORT(api_zrusSestavuJizdnichRadu)
EXPORT(api_GetIndexyHlavicekSestavy)
EXPORT(api_CancelNacitani)
EXPORT(api_GetStandardniPocetMinutHledani)
EXPORT(api_SetStandardniPocetMinutHledani)
EXPORT(api_SetVychoziPocetPrestupu)
EXPORT(api_getVychoziPocetPrestupuSestavy)
EXPORT(api_SetLzePouzitDruhLinky)
EXPORT(api_NastavZadaniHledani)
EXPORT(api_NastavZadaniHledaniDalsi)
EXPORT(api_HledejCestu)
EXPORT(api_getVysledekHledani_PocetSpojeni)
EXPORT(api_getVysledekHledani_SpojeniSfocusem)
EXPORT(api_getVysledekHledani_Spojeni)
EXPORT(api_getVysledekHledani_VypisSpoje)
EXPORT(api_getDalsiVysledekHledaniSpoj)
EXPORT(api_getPredchoziVysledekHledaniSpoj)
EXPORT(api_getPocetDruhuKategorii)
EXPORT(api_getDruhKategorie)
EXPORT(api_getPocetElementuKategorie)
EXPORT(api_GetNazevElementuKategorie)
EXPORT(api_GetIndexyElementuKategorie)
EXPORT(api_GetSlouceneKategorieLength)
EXPORT(api_GetSlouceneKategorieName)
EXPORT(api_GetDruhyLinekLength)
EXPORT(api_GetDruhLinky)
EXPORT(api_getNadlinka_DelkyStringu)
EXPORT(api_getNadlinka)
EXPORT(api_GetNazevZastavky)
EXPORT(api_GetNazevLinky)
EXPORT(api_GetBarvuLinky)
EXPORT(api_GetPoznamkySpoje)
EXPORT(api_GetPoznamkyPrujezdu)
EXPORT(api_GetPoznamkuText)
EXPORT(api_GetPoznamkuOznaceni)
EXPORT(api_GetPocetSmsJizdenek)
EXPORT(api_GetSmsJizdenku)
EXPORT(api_gpsGetPointInPx)
EXPORT(api_gpsGetMapActualCenter)
EXPORT(api_FavouriteGet)
EXPORT(api_FavouriteAdd)
EXPORT(api_FavouriteDelete)
EXPORT(api_HistoryAdd)
EXPORT(api_HistoryIncIdSearch)
EXPORT(api_IniReadString)
EXPORT(api_IniReadStrings)
EXPORT(api_IniWriteString)
EXPORT(api_IniReadInt)
EXPORT(api_IniWriteInt)
EXPORT(api_IniReadBool)
EXPORT(api_IniWriteBool)
EXPORT(api_IniRemoveKey)
EXPORT(api_IniRemoveSection)
EXPORT(api_IniFlush)
EXPORT(api_T9ZmenTextQwerty)
EXPORT(api_stSearch)
EXPORT(api_stSearch_ReleaseMemory)

/* Every export is found by its name, as the program looks them up. */
static void bindAll(void) {
    for (size_t i = 0; i < TRASA_EXPORT_COUNT; ++i) {
        void* symbol = dlsym(gLibrary, kExportNames[i]);
        if (symbol == NULL) {
            fprintf(stderr, "export missing: %s\n", kExportNames[i]);
            ++gFailures;
        }
    }
    BIND(api_getVerziKnihovny);
    BIND(api_pamet);
    BIND(api_DatumToShortDen);
    BIND(api_ShortDenToDatum);
    BIND(api_vytvorJizdniRadyGlobal);
    BIND(api_nactiHlavicky);
    BIND(api_getHlavicku);
    BIND(api_nactiSestavuJizdnichRadu);
    BIND(api_zmenSestavuJizdnichRadu);
    BIND(api_zrusSestavuJizdnichRadu);
    BIND(api_GetIndexyHlavicekSestavy);
    BIND(api_CancelNacitani);
    BIND(api_GetStandardniPocetMinutHledani);
    BIND(api_SetStandardniPocetMinutHledani);
    BIND(api_SetVychoziPocetPrestupu);
    BIND(api_getVychoziPocetPrestupuSestavy);
    BIND(api_SetLzePouzitDruhLinky);
    BIND(api_NastavZadaniHledani);
    BIND(api_NastavZadaniHledaniDalsi);
    BIND(api_HledejCestu);
    BIND(api_getVysledekHledani_PocetSpojeni);
    BIND(api_getVysledekHledani_SpojeniSfocusem);
    BIND(api_getVysledekHledani_Spojeni);
    BIND(api_getVysledekHledani_VypisSpoje);
    BIND(api_getDalsiVysledekHledaniSpoj);
    BIND(api_getPredchoziVysledekHledaniSpoj);
    BIND(api_getPocetDruhuKategorii);
    BIND(api_getDruhKategorie);
    BIND(api_getPocetElementuKategorie);
    BIND(api_GetNazevElementuKategorie);
    BIND(api_GetIndexyElementuKategorie);
    BIND(api_GetSlouceneKategorieLength);
    BIND(api_GetSlouceneKategorieName);
    BIND(api_GetDruhyLinekLength);
    BIND(api_GetDruhLinky);
    BIND(api_getNadlinka_DelkyStringu);
    BIND(api_getNadlinka);
    BIND(api_GetNazevZastavky);
    BIND(api_GetNazevLinky);
    BIND(api_GetBarvuLinky);
    BIND(api_GetPoznamkySpoje);
    BIND(api_GetPoznamkyPrujezdu);
    BIND(api_GetPoznamkuText);
    BIND(api_GetPoznamkuOznaceni);
    BIND(api_GetPocetSmsJizdenek);
    BIND(api_GetSmsJizdenku);
    BIND(api_gpsGetPointInPx);
    BIND(api_gpsGetMapActualCenter);
    BIND(api_FavouriteGet);
    BIND(api_FavouriteAdd);
    BIND(api_FavouriteDelete);
    BIND(api_HistoryAdd);
    BIND(api_HistoryIncIdSearch);
    BIND(api_IniReadString);
    BIND(api_IniReadStrings);
    BIND(api_IniWriteString);
    BIND(api_IniReadInt);
    BIND(api_IniWriteInt);
    BIND(api_IniReadBool);
    BIND(api_IniWriteBool);
    BIND(api_IniRemoveKey);
    BIND(api_IniRemoveSection);
    BIND(api_IniFlush);
    BIND(api_T9ZmenTextQwerty);
    BIND(api_stSearch);
    BIND(api_stSearch_ReleaseMemory);
}

/* Texts of the test timetables, in Windows-1250. */
static const char kCityTitle[] = "MHD Horn\xED Lhota 07";
static const char kStopsKind[] = "zast\xE1vky";
static const char kStation[] =
    "N\xE1"
    "dra\x9E\xED";

static char gIniMain[256];
static char gIniTemp[256];

static int createEngine(int32_t version, int32_t* after) {
    *after = version;
    return p_api_vytvorJizdniRadyGlobal(gIniMain, (int32_t)strlen(gIniMain), gIniTemp,
                                        (int32_t)strlen(gIniTemp), after);
}

static void libraryAndDates(void) {
    char* text = NULL;
    int32_t length = 0;
    CHECK(p_api_getVerziKnihovny(&text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, "4.4.1"));
    free(text);

    int32_t a = 7, b = 7;
    CHECK(p_api_pamet(&a, &b) == ENGINE_OK && a == 0 && b == 0);

    int16_t day = 0;
    CHECK(p_api_DatumToShortDen(29, 2, 2004, &day) == ENGINE_OK && day == 59);
    uint8_t d = 0, m = 0;
    int16_t y = 0;
    CHECK(p_api_ShortDenToDatum(59, &d, &m, &y) == ENGINE_OK && d == 29 && m == 2 && y == 2004);
}

/* The handshake: a refused version creates nothing. */
static void handshake(void) {
    int32_t version = 0;
    CHECK(createEngine(1003, &version) == ENGINE_ERROR);
    CHECK(version == 1004);
    int32_t count = -5;
    CHECK(p_api_nactiHlavicky(NULL, NULL, 0, &count) == ENGINE_ERROR);

    CHECK(createEngine(ENGINE_INTERFACE_VERSION, &version) == ENGINE_OK);
    CHECK(version == 1005);
}

/* Lists the headers and returns the catalogue index of the city timetable. */
static int32_t listHeaders(int32_t* regionalIndex) {
    const char* paths[3] = {TRASA_FIXTURE_DIR "/regional_v33.jz", TRASA_FIXTURE_DIR "/city_v40.jz",
                            TRASA_FIXTURE_DIR "/no_such_file.jz"};
    int32_t lengths[3];
    for (int i = 0; i < 3; ++i) {
        lengths[i] = (int32_t)strlen(paths[i]);
    }
    int32_t count = 0;
    CHECK(p_api_nactiHlavicky(paths, lengths, 3, &count) == ENGINE_OK);
    CHECK(count == 2);

    int32_t city = -1;
    *regionalIndex = -1;
    for (int32_t i = 0; i < count; ++i) {
        const char *file, *title, *series, *t1, *t2, *t3;
        int32_t fileLen, titleLen, seriesLen, t1Len, t2Len, seriesNumber, t3Len, sortKey, codeCount;
        int16_t id, v1From, v1To, v2From, v2To;
        uint8_t flagA, city_, found, hasCoords, exact;
        const int16_t* codes;
        CHECK(p_api_getHlavicku(i, &file, &title, &series, &t1, &t2, &t3, &fileLen, &titleLen,
                                &seriesLen, &t1Len, &t2Len, &seriesNumber, &t3Len, &id, &v1From,
                                &v1To, &v2From, &v2To, &flagA, &city_, &sortKey, &codes, &codeCount,
                                &found, &hasCoords, &exact) == ENGINE_OK);
        CHECK(found == 1);
        if (sameText(title, titleLen, kCityTitle)) {
            city = i;
            CHECK(sameText(series, seriesLen, "MHD Horn\xED Lhota ??"));
            CHECK(seriesNumber == 7);
            CHECK(id == 77);
            CHECK(hasCoords == 1 && exact == 1);
            CHECK(v1From <= v1To);
        } else {
            *regionalIndex = i;
            CHECK(id == 5);
        }
    }
    CHECK(city >= 0 && *regionalIndex >= 0);

    /* One past the catalogue is refused. */
    const char* s[6];
    int32_t n[9];
    int16_t h[5];
    uint8_t f[5];
    const int16_t* codes;
    CHECK(p_api_getHlavicku(count, &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &n[0], &n[1], &n[2],
                            &n[3], &n[4], &n[5], &n[6], &h[0], &h[1], &h[2], &h[3], &h[4], &f[0],
                            &f[1], &n[7], &codes, &n[8], &f[2], &f[3], &f[4]) == ENGINE_ERROR);
    return city;
}

static int32_t loadSet(int32_t city) {
    int32_t set = -99, failing = -99;
    CHECK(p_api_nactiSestavuJizdnichRadu(&city, 1, &set, &failing, 0) == ENGINE_OK);
    CHECK(set >= 0);
    CHECK(failing == -1);

    int32_t* indexes = NULL;
    int32_t count = 0;
    CHECK(p_api_GetIndexyHlavicekSestavy(set, &indexes, &count) == ENGINE_OK);
    CHECK(count == 1 && indexes != NULL && indexes[0] == city);
    free(indexes);
    return set;
}

static void information(int32_t set) {
    int32_t kinds = 0, stopsKind = -5;
    CHECK(p_api_getPocetDruhuKategorii(set, 0, &kinds, &stopsKind) == ENGINE_OK);
    CHECK(kinds == 2 && stopsKind == 1);

    char* text = NULL;
    int32_t length = 0;
    CHECK(p_api_getDruhKategorie(set, 0, 1, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, kStopsKind));
    free(text);

    int32_t elements = 0;
    CHECK(p_api_getPocetElementuKategorie(set, 0, 1, &elements) == ENGINE_OK && elements == 5);
    CHECK(p_api_GetNazevElementuKategorie(set, 0, 1, 0, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, kStation));
    free(text);
    CHECK(p_api_GetNazevElementuKategorie(set, 0, 1, 5, &text, &length) == ENGINE_ERROR);

    /* Equal under the collation: case does not matter, the length does. */
    int32_t* found = NULL;
    int32_t foundCount = 0;
    CHECK(p_api_GetIndexyElementuKategorie(set, 0, 1, "N\xC1M\xCCST\xCD", 7, &found, &foundCount) ==
          ENGINE_OK);
    CHECK(foundCount == 1 && found[0] == 1);
    free(found);
    CHECK(p_api_GetIndexyElementuKategorie(set, 0, 1, "N\xE1m\xECst", 6, &found, &foundCount) ==
          ENGINE_OK);
    CHECK(foundCount == 0);
    free(found);
    CHECK(p_api_GetIndexyElementuKategorie(set, 0, 1, "n\xE1m\xECst\xED", 7, &found, &foundCount) ==
          ENGINE_OK);
    CHECK(foundCount == 1 && found[0] == 1);
    free(found);

    int32_t merged = 0;
    CHECK(p_api_GetSlouceneKategorieLength(set, &merged) == ENGINE_OK && merged == 2);
    CHECK(p_api_GetSlouceneKategorieName(set, 1, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, kStopsKind));
    free(text);

    int32_t lineKinds = 0, colour = 0;
    uint8_t mayUse = 0;
    CHECK(p_api_GetDruhyLinekLength(set, 0, &lineKinds) == ENGINE_OK && lineKinds == 1);
    CHECK(p_api_GetDruhLinky(set, 0, 0, &text, &length, &colour, &mayUse) == ENGINE_OK);
    CHECK(sameText(text, length, "Bus") && mayUse == 1);
    free(text);

    int32_t groupLength = -1, lineKind = -1;
    char buffer[8] = "zzzzzzz";
    CHECK(p_api_getNadlinka_DelkyStringu(set, 0, 0, &groupLength) == ENGINE_OK && groupLength == 0);
    CHECK(p_api_getNadlinka(set, 0, 0, &lineKind, buffer) == ENGINE_OK && lineKind == 0);
    CHECK(buffer[0] == 'z');

    CHECK(p_api_GetNazevZastavky(set, 0, 0, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, kStation));
    free(text);
    CHECK(p_api_GetNazevLinky(set, 0, 1, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, "Bus 1"));
    free(text);
    int32_t tripColour = -1;
    CHECK(p_api_GetBarvuLinky(set, 0, 1, &tripColour) == ENGINE_OK && tripColour == colour);

    /* Trip 0 carries the kind "OWNER" (and the remark "BB"); at its third stop the passage
       note "x". */
    int32_t* notes = NULL;
    int32_t noteCount = 0;
    CHECK(p_api_GetPoznamkySpoje(set, 0, 0, &notes, &noteCount) == ENGINE_OK && noteCount == 1);
    const int32_t tripNote = noteCount == 1 ? notes[0] : 0;
    free(notes);
    CHECK(p_api_GetPoznamkuOznaceni(set, 0, tripNote, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, "OWNER"));
    free(text);
    CHECK(p_api_GetPoznamkuText(set, 0, tripNote, &text, &length) == ENGINE_OK);
    CHECK(sameText(text, length, "Dopravn\xED podnik Horn\xED Lhota"));
    free(text);
    CHECK(p_api_GetPoznamkyPrujezdu(set, 0, 0, 2, &notes, &noteCount) == ENGINE_OK);
    CHECK(noteCount == 1);
    if (noteCount == 1) {
        CHECK(p_api_GetPoznamkuOznaceni(set, 0, notes[0], &text, &length) == ENGINE_OK);
        CHECK(sameText(text, length, "x"));
        free(text);
    }
    free(notes);

    int32_t tickets = 0;
    CHECK(p_api_GetPocetSmsJizdenek(set, &tickets) == ENGINE_OK && tickets == 2);
    char *t1 = NULL, *price = NULL, *t2 = NULL, *t3 = NULL;
    int32_t l1 = 0, lp = 0, l2 = 0, l3 = 0;
    CHECK(p_api_GetSmsJizdenku(set, 1, &t1, &l1, &price, &lp, &t2, &l2, &t3, &l3) == ENGINE_OK);
    CHECK(sameText(t1, l1, "DPHL 90") && sameText(price, lp, "45,50 K\xE8") &&
          sameText(t2, l2, "90206"));
    free(t1);
    free(price);
    free(t2);
    free(t3);
    t1 = NULL;
    CHECK(p_api_GetSmsJizdenku(set, 2, &t1, &l1, &price, &lp, &t2, &l2, &t3, &l3) == ENGINE_OK);
    CHECK(t1 == NULL);

    /* A point north-east of the centre lies right of it and above it. */
    double metres = 0;
    int32_t x = 0, y = 0;
    CHECK(p_api_gpsGetPointInPx(49.503, 15.504, 49.5, 15.5, 2.0, &metres, &x, &y) == ENGINE_OK);
    CHECK(metres > 300 && metres < 600 && x > 0 && y < 0);

    /* Fitting the view to a stop puts it on the edge of the smaller half-side. */
    double scale = -1;
    uint16_t stop = 1;
    int32_t timetable = 0;
    TrasaPixel* pixels = NULL;
    char** names = NULL;
    int32_t* nameLengths = NULL;
    double *distances = NULL, *bearings = NULL;
    uint8_t allPlaced = 0;
    CHECK(p_api_gpsGetMapActualCenter(set, 49.5, 15.5, &scale, &stop, &timetable, 1, 1, 0, 244, 324,
                                      &pixels, &names, &nameLengths, &distances, &bearings,
                                      &allPlaced) == ENGINE_OK);
    CHECK(scale > 0 && allPlaced == 1);
    if (pixels != NULL) {
        const int32_t dx = pixels[0].x - 122, dy = pixels[0].y - 162;
        CHECK(dx * dx + dy * dy > 115 * 115 && dx * dx + dy * dy < 121 * 121);
        CHECK(sameText(names[0], nameLengths[0], "N\xE1m\xECst\xED"));
        free(names[0]);
    }
    free(pixels);
    free(names);
    free(nameLengths);
    free(distances);
    free(bearings);
}

static void parameters(int32_t set) {
    int32_t value = 0;
    CHECK(p_api_GetStandardniPocetMinutHledani(set, 0, &value) == ENGINE_OK && value == 120);
    CHECK(p_api_SetStandardniPocetMinutHledani(set, 0, 30) == ENGINE_OK);
    CHECK(p_api_GetStandardniPocetMinutHledani(set, 0, &value) == ENGINE_OK && value == 60);
    CHECK(p_api_SetStandardniPocetMinutHledani(set, 0, 120) == ENGINE_OK);
    CHECK(p_api_SetVychoziPocetPrestupu(set, 0, 25) == ENGINE_OK);
    CHECK(p_api_getVychoziPocetPrestupuSestavy(set, &value) == ENGINE_OK && value == 20);
    CHECK(p_api_SetVychoziPocetPrestupu(set, 0, 2) == ENGINE_OK);
    CHECK(p_api_GetStandardniPocetMinutHledani(set, 1, &value) == ENGINE_ERROR);
}

static void search(int32_t set) {
    /* From the station to the hospital on Wednesday 2 December 2026 at 6:00. */
    TrasaTriple from = {0, 1, 0};
    TrasaTriple to = {0, 1, 2};
    int16_t day = 0;
    CHECK(p_api_DatumToShortDen(2, 12, 2026, &day) == ENGINE_OK);
    uint8_t done = 9;
    CHECK(p_api_NastavZadaniHledani(set, &from, 1, 0, 0, &to, 1, 0, 0, NULL, 0, 360, day, 2, 0,
                                    &done) == ENGINE_OK);
    CHECK(done == 0);
    int32_t id = -100;
    CHECK(p_api_HledejCestu(360, day, &id, 0) == ENGINE_OK);
    CHECK(id >= 0);
    if (id < 0) {
        return;
    }
    int32_t count = 0, focus = -1;
    CHECK(p_api_getVysledekHledani_PocetSpojeni(set, id, &count) == ENGINE_OK && count >= 1);
    CHECK(p_api_getVysledekHledani_SpojeniSfocusem(set, id, &focus) == ENGINE_OK);
    CHECK(focus >= 0 && focus < count);
    cSpojeni* connection = NULL;
    CHECK(p_api_getVysledekHledani_Spojeni(set, id, 0, &connection) == ENGINE_OK);
    CHECK(p_api_getVysledekHledani_Spojeni(set, id, count, &connection) == ENGINE_ERROR);
    if (connection == NULL || connection->legCount < 1) {
        CHECK(!"a connection with legs");
        return;
    }
    cUsekSpojeni* leg = &connection->legs[0];
    CHECK(leg->boardStop == 0 && leg->departureDay == day);
    CHECK(leg->departureMinute == 365);

    cRadekVypisuSpoje* rows = NULL;
    int32_t rowCount = 0;
    CHECK(p_api_getVysledekHledani_VypisSpoje(set, leg, &rows, &rowCount) == ENGINE_OK);
    CHECK(rowCount == 5);
    for (int32_t i = 0; i < rowCount; ++i) {
        free(rows[i].stopNotes);
        free(rows[i].passageNotes);
    }
    if (rowCount == 5) {
        CHECK(rows[1].stop == 0 && rows[1].departureMinute == 365 && rows[1].departureDay == day);
    }
    free(rows);

    /* The next trip between the same two stops, the same record when asked again, and back. */
    cVysledekSpoj* later = NULL;
    cVysledekSpoj* again = NULL;
    CHECK(p_api_getDalsiVysledekHledaniSpoj(set, leg, &later) == ENGINE_OK);
    /* Line 2 at 6:50 also reaches the hospital. */
    CHECK(later != NULL && later != leg && later->trip == 4 && later->departureMinute == 410);
    CHECK(p_api_getDalsiVysledekHledaniSpoj(set, leg, &again) == ENGINE_OK && again == later);
    cVysledekSpoj* back = NULL;
    CHECK(p_api_getPredchoziVysledekHledaniSpoj(set, later, &back) == ENGINE_OK && back == leg);

    /* A next search continues from the stored result. */
    CHECK(p_api_NastavZadaniHledaniDalsi(set, id, &done) == ENGINE_OK && done == 0);
    int32_t nextId = -100;
    CHECK(p_api_HledejCestu(360, day, &nextId, 0) == ENGINE_OK);
    CHECK(nextId > id || nextId == -8);
}

static TrasaPlace stationPlace(void) {
    TrasaPlace place;
    place.items = (TrasaTriple*)malloc(sizeof(TrasaTriple));
    place.items[0].timetable = 0;
    place.items[0].kind = 1;
    place.items[0].element = 0;
    place.count = 1;
    place.spare = 0;
    return place;
}

static void favouritesAndHistory(int32_t set) {
    TrasaPlace place = stationPlace();
    int32_t result = -1;
    CHECK(p_api_FavouriteAdd(set, &place, &result) == ENGINE_OK && result == 0);
    CHECK(p_api_FavouriteAdd(set, &place, &result) == ENGINE_OK && result == 2);

    TrasaPlace lists[20];
    memset(lists, 0, sizeof lists);
    int32_t count = 0;
    CHECK(p_api_FavouriteGet(set, lists, &count) == ENGINE_OK && count == 1);
    CHECK(lists[0].count == 1 && lists[0].items != NULL && lists[0].items[0].element == 0 &&
          lists[0].items[0].kind == 1);
    /* Filled again in place, the list reuses its slot. */
    TrasaTriple* before = lists[0].items;
    CHECK(p_api_FavouriteGet(set, lists, &count) == ENGINE_OK && lists[0].items == before);
    for (int i = 0; i < 20; ++i) {
        free(lists[i].items);
    }

    CHECK(p_api_FavouriteDelete(set, &place, &result) == ENGINE_OK && result == 0);
    CHECK(p_api_FavouriteDelete(set, &place, &result) == ENGINE_OK && result == 1);

    CHECK(p_api_HistoryAdd(set, &place, &result) == ENGINE_OK && result == 0);
    TrasaPlace empty = {NULL, 0, 0};
    CHECK(p_api_HistoryAdd(set, &empty, &result) == ENGINE_OK && result == 2);
    CHECK(p_api_HistoryIncIdSearch(set) == ENGINE_OK);
    free(place.items);
}

/* Typing a name offers the places whose names fit; a stop timetable is made and given back. */
static void namesAndStopTimetables(int32_t set) {
    TrasaPlace candidates[100];
    memset(candidates, 0, sizeof candidates);
    int32_t total = -1, history = -1, favourites = -1;
    CHECK(p_api_T9ZmenTextQwerty(set, 0, "nem", 3, 1, candidates, &total, &history, &favourites) ==
          ENGINE_OK);
    CHECK(total >= 1);
    int sawHospital = 0;
    for (int32_t i = 0; i < total && i < 100; ++i) {
        for (uint8_t t = 0; t < candidates[i].count; ++t) {
            if (candidates[i].items[t].kind == 1 && candidates[i].items[t].element == 2) {
                sawHospital = 1;
            }
        }
    }
    CHECK(sawHospital);
    for (int i = 0; i < 100; ++i) {
        free(candidates[i].items);
    }

    int16_t day = 0;
    CHECK(p_api_DatumToShortDen(2, 12, 2026, &day) == ENGINE_OK);
    cStVysledek* result = NULL;
    int32_t engineStatus = -1, reserved = -1, stStatus = -1, groups = -1, routeStops = -1,
            items = -1, directions = -1, candidatesCount = -1;
    CHECK(p_api_stSearch(set, 0, "1", 1, -1, -1, -1, -1, -1, day, 0, &result, &engineStatus,
                         &reserved, &stStatus, &groups, &routeStops, &items, &directions,
                         &candidatesCount) == ENGINE_OK);
    CHECK(engineStatus == 0 && reserved == 0);
    CHECK(p_api_stSearch_ReleaseMemory(result) == ENGINE_OK);
    CHECK(p_api_stSearch_ReleaseMemory(NULL) == ENGINE_OK);
}

static void changeAndRelease(int32_t* set, int32_t city, int32_t regional) {
    int32_t list[2] = {city, regional};
    int32_t failing = -99;
    const int32_t before = *set;
    CHECK(p_api_zmenSestavuJizdnichRadu(set, list, 2, &failing, 0) == ENGINE_OK);
    CHECK(*set == before && failing == -1);
    int32_t merged = 0;
    CHECK(p_api_GetSlouceneKategorieLength(*set, &merged) == ENGINE_OK && merged >= 2);
    CHECK(p_api_CancelNacitani() == ENGINE_OK);
    CHECK(p_api_zrusSestavuJizdnichRadu(*set) == ENGINE_OK);
    int32_t* indexes = NULL;
    int32_t count = 0;
    CHECK(p_api_GetIndexyHlavicekSestavy(*set, &indexes, &count) == ENGINE_ERROR);
    CHECK(p_api_zrusSestavuJizdnichRadu(*set) == ENGINE_ERROR);
}

static void iniRoundTrip(void) {
    CHECK(p_api_IniWriteString("setup", 5, "jazyk", 5, "1", 1) == ENGINE_OK);
    CHECK(p_api_IniWriteInt("setup", 5, "pismo", 5, -12) == ENGINE_OK);
    CHECK(p_api_IniWriteBool("setup", 5, "isgps", 5, 1) == ENGINE_OK);
    CHECK(p_api_IniWriteString("zruseno", 7, "a", 1, "b", 1) == ENGINE_OK);
    CHECK(p_api_IniFlush() == ENGINE_OK);

    /* A new engine reads the store back from the file. */
    int32_t version = 0;
    CHECK(createEngine(ENGINE_INTERFACE_VERSION_OLD, &version) == ENGINE_OK && version == 1003);

    char* value = NULL;
    int32_t length = 0;
    CHECK(p_api_IniReadString("setup", 5, "jazyk", 5, "0", 1, &value, &length) == ENGINE_OK);
    CHECK(sameText(value, length, "1"));
    free(value);
    int32_t number = 0;
    CHECK(p_api_IniReadInt("SETUP", 5, "pismo", 5, 7, &number) == ENGINE_OK && number == -12);
    uint8_t flag = 0;
    CHECK(p_api_IniReadBool("setup", 5, "isgps", 5, 0, &flag) == ENGINE_OK && flag == 1);
    CHECK(p_api_IniReadBool("setup", 5, "jazyk2", 6, 0, &flag) == ENGINE_OK && flag == 0);

    char** keys = NULL;
    char** values = NULL;
    int16_t* keyLengths = NULL;
    int16_t* valueLengths = NULL;
    int16_t count = 0;
    CHECK(p_api_IniReadStrings("setup", 5, &keys, &keyLengths, &values, &valueLengths, &count) ==
          ENGINE_OK);
    CHECK(count == 3);
    int sawLanguage = 0;
    for (int16_t i = 0; i < count; ++i) {
        if (sameText(keys[i], keyLengths[i], "jazyk") &&
            sameText(values[i], valueLengths[i], "1")) {
            sawLanguage = 1;
        }
        free(keys[i]);
        free(values[i]);
    }
    CHECK(sawLanguage);
    free(keys);
    free(values);
    free(keyLengths);
    free(valueLengths);

    CHECK(p_api_IniRemoveKey("setup", 5, "jazyk", 5) == ENGINE_OK);
    CHECK(p_api_IniReadString("setup", 5, "jazyk", 5, "0", 1, &value, &length) == ENGINE_OK);
    CHECK(sameText(value, length, "0"));
    free(value);
    CHECK(p_api_IniRemoveSection("zruseno", 7) == ENGINE_OK);
    CHECK(p_api_IniReadString("zruseno", 7, "a", 1, "", 0, &value, &length) == ENGINE_OK);
    CHECK(length == 0);
    free(value);
    CHECK(p_api_IniFlush() == ENGINE_OK);
}

int main(void) {
    char folder[] = "/tmp/trasa_exports_XXXXXX";
    if (mkdtemp(folder) == NULL) {
        perror("mkdtemp");
        return 1;
    }
    snprintf(gIniMain, sizeof gIniMain, "%s/pelorvant.ini", folder);
    snprintf(gIniTemp, sizeof gIniTemp, "%s/pelorvant.tmp", folder);

    gLibrary = dlopen(TRASA_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (gLibrary == NULL) {
        fprintf(stderr, "cannot load %s: %s\n", TRASA_LIBRARY_PATH, dlerror());
        return 1;
    }
    bindAll();
    if (gFailures == 0) {
        libraryAndDates();
        handshake();
        int32_t regional = -1;
        const int32_t city = listHeaders(&regional);
        int32_t set = loadSet(city);
        if (set >= 0) {
            information(set);
            parameters(set);
            search(set);
            favouritesAndHistory(set);
            namesAndStopTimetables(set);
            changeAndRelease(&set, city, regional);
        }
        iniRoundTrip();
    }
    unlink(gIniMain);
    unlink(gIniTemp);
    rmdir(folder);
    if (gFailures != 0) {
        fprintf(stderr, "%d checks failed\n", gFailures);
        return 1;
    }
    printf("all checks passed\n");
    return 0;
}
