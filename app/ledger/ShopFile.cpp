#include "app/ledger/ShopFile.h"

#include "platform/data/WriteScope.h"

namespace pv::ledger
{

namespace
{
constexpr const char *kShopTables[] = {"musteriler",    "veresiye",   "kasa",      "SatisRapor",
                                       "Product",       "banka",      "banka2",    "son_islemno",
                                       "son_musterino", "urun_marka", "urun_reyon"};
} // namespace

std::span<const char *const> shopTables()
{
    return kShopTables;
}

bool guardShopFile(const QString &path)
{
    return pv::guardWrites(path, kShopTables);
}

} // namespace pv::ledger
