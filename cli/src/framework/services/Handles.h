#pragma once

class TDataSource;

// Data sources handed to another screen travel as integer handles (screens
// take parameters as a list of plain values), looked up in a registry instead
// of being cast from an integer, so that a wrong or stale number is an error
// rather than a crash.
//
// The same source always gets the same handle; a handle is never reused, and
// its entry goes when the source is destroyed. Null travels as 0 and comes
// back as null. For the GUI thread only.
int DataSourceHandle(TDataSource* source);

// The source of `handle`; throws EDatabaseError "Referência a fonte de dados
// inválida: N." for a handle never given or whose source is gone.
TDataSource* DataSourceFromHandle(int handle);
