// stub, to be written
