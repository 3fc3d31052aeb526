#pragma once

class CGridCore;

/// The header of every notification: sender, its control id and the code.
struct SGridNotifyHeader
{
    const CGridCore* from = nullptr;
    int idFrom = 0;
    int code = 0; ///< an NGridNotifyCode
};

/// A notification about a cell. For GRIDN_KEYCOMMAND row holds the key and
/// col the key-command class (1 or 2).
struct SGridNotify
{
    SGridNotifyHeader hdr;
    int row = -1;
    int col = -1;
};
