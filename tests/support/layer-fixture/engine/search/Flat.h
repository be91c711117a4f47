// Lies in no layer.
