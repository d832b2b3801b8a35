"""Fixed-width fields of the bank's files, shared by the payroll and balance generators."""


def a(texto, largura):
    """Text field: cut to the width, padded with blanks on the right."""
    return texto[:largura].ljust(largura)


def n(valor, largura):
    """Numeric field: zero-padded; a value that does not fit is a generator fault, not data to cut."""
    s = str(valor)
    assert s.isdigit() and len(s) <= largura, (valor, largura)
    return s.zfill(largura)
