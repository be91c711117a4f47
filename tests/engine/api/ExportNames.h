/* The names of every exported function of the engine library, by family, as the program binds
   them. Shared by the C test that binds them and the symbol check of the library. */
#ifndef TRASA_TESTS_EXPORT_NAMES_H
#define TRASA_TESTS_EXPORT_NAMES_H

static const char* const kExportNames[] = {
    /* library and dates */
    "api_getVerziKnihovny", "api_pamet", "api_DatumToShortDen", "api_ShortDenToDatum",
    /* engine, headers, sets */
    "api_vytvorJizdniRadyGlobal", "api_nactiHlavicky", "api_getHlavicku",
    "api_nactiSestavuJizdnichRadu", "api_zmenSestavuJizdnichRadu", "api_zrusSestavuJizdnichRadu",
    "api_GetIndexyHlavicekSestavy", "api_CancelNacitani", "api_zkontrolujJizdniRad",
    /* search parameters */
    "api_getVychoziPocetPrestupuSestavy", "api_GetMaxPocetVyslednychSpojeni",
    "api_GetVychoziPocetPrestupu", "api_GetStandardniPocetMinutHledani",
    "api_GetMaximalniPocetMinutHledani", "api_GetMinimalniPocetMinutNaPrestup",
    "api_GetBezpecnyPocetMinutNaPrestup", "api_GetPenalizaceZaPrestup",
    "api_GetNutnostPrestupuVzastavcePres", "api_SetLzePouzitDruhLinky",
    "api_SetMaxPocetVyslednychSpojeni", "api_SetVychoziPocetPrestupu",
    "api_SetStandardniPocetMinutHledani", "api_SetMaximalniPocetMinutHledani",
    "api_SetMinimalniPocetMinutNaPrestup", "api_SetBezpecnyPocetMinutNaPrestup",
    "api_SetPenalizaceZaPrestup", "api_SetNutnostPrestupuVzastavcePres",
    /* search request and run */
    "api_NastavZadaniHledani", "api_NastavZadaniHledaniDalsi", "api_NastavZadaniHledaniPredchozi",
    "api_HledejCestu", "api_CancelHledani", "api_SkokNaVysledek",
    /* results */
    "api_getVysledekHledani_PocetSpojeni", "api_getVysledekHledani_SpojeniSfocusem",
    "api_getVysledekHledani_Spojeni", "api_getVysledekHledani_VypisSpoje",
    "api_getDalsiVysledekHledaniSpoj", "api_getPredchoziVysledekHledaniSpoj",
    /* categories */
    "api_getPocetDruhuKategorii", "api_getDruhKategorie", "api_getPocetElementuKategorie",
    "api_GetNazevElementuKategorie", "api_GetIndexyElementuKategorie",
    "api_GetSlouceneKategorieLength", "api_GetSlouceneKategorieName",
    /* line kinds and line groups */
    "api_GetDruhyLinekLength", "api_GetDruhLinky", "api_getNadlinka_DelkyStringu",
    "api_getNadlinka",
    /* names and colours */
    "api_GetNazevZastavky", "api_GetNazevLinky", "api_GetBarvuLinky",
    /* notes */
    "api_GetPoznamkySpoje", "api_GetPoznamkyPrujezdu", "api_GetDatumovouPoznamkuSpoje",
    "api_GetPoznamkyZastavky", "api_GetPoznamkuText", "api_GetPoznamkuOznaceni",
    /* SMS tickets, GPS */
    "api_GetPocetSmsJizdenek", "api_GetSmsJizdenku", "api_gpsGetPointInPx",
    "api_gpsGetMapActualCenter",
    /* favourites and history */
    "api_FavouriteGet", "api_FavouriteAdd", "api_FavouriteDelete", "api_HistoryAdd",
    "api_HistoryIncIdSearch",
    /* INI store */
    "api_IniReadString", "api_IniReadStrings", "api_IniWriteString", "api_IniReadInt",
    "api_IniWriteInt", "api_IniReadBool", "api_IniWriteBool", "api_IniRemoveKey",
    "api_IniRemoveSection", "api_IniFlush", "api_IniSetAside",
    /* T9 */
    "api_T9ZmenText", "api_T9ZmenTextQwerty",
    /* stop timetables */
    "api_stSearch", "api_stGetZadani", "api_stGetZadaniSmerLength", "api_stGetZadaniSmer",
    "api_stGetZadaniLinkaIndex", "api_stGetTrasaZastavka", "api_stGetDatumLength",
    "api_stGetDatumPoznamkaLength", "api_stGetDatumPoznamkaText", "api_stGetDatumPopisText",
    "api_stGetDatumMinuta", "api_stSearch_ReleaseMemory"};

#define TRASA_EXPORT_COUNT (sizeof(kExportNames) / sizeof(kExportNames[0]))

#endif
